// The engine's command-line object. Items are kept in UTF-16 in three groups: the program (and
// whatever a wrapper put before it), the switches in the order given, and the arguments. Writing
// the object out and reading it back gives the same object, which the engine's helper processes
// rely on.
#include "webengine/EngineCommandLine.h"

#include "webengine/EngineObject.h"
#include "webengine/EngineText.h"

#include <atomic>
#include <cstdio>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace webengine {

namespace {

using U16 = std::u16string;

struct Switch {
    U16 prefix; // "--" or "-", as written
    U16 name;
    U16 value;
    bool hasValue = false;
};

struct Items {
    std::vector<U16> head{U16()}; // the program first; a wrapper's words come before it
    std::vector<Switch> switches;
    std::vector<U16> arguments;
};

struct CommandLine {
    cef_command_line_t api{};
    std::atomic<int> references{1};
    bool readOnly = false;
    std::mutex mutex;
    Items items;
};

CommandLine* Of(cef_command_line_t* self)
{
    return reinterpret_cast<CommandLine*>(self);
}

// "--name=value", "--name" or "-name"; a lone "-" or "--" and "-=x" are not switches.
bool ParseSwitch(const U16& item, Switch& out)
{
    size_t prefix = item.starts_with(u"--") ? 2 : item.starts_with(u"-") ? 1 : 0;
    if (prefix == 0 || item.size() == prefix || item[prefix] == u'=')
        return false;
    size_t equals = item.find(u'=', prefix);
    out.prefix = item.substr(0, prefix);
    out.name = item.substr(prefix, equals == U16::npos ? U16::npos : equals - prefix);
    out.hasValue = equals != U16::npos;
    out.value = out.hasValue ? item.substr(equals + 1) : U16();
    return true;
}

bool LooksLikeSwitch(const U16& item)
{
    Switch unused;
    return item == u"--" || ParseSwitch(item, unused);
}

void Parse(Items& items, std::vector<U16> argv)
{
    items = Items{};
    if (argv.empty())
        return;
    items.head[0] = std::move(argv[0]);
    bool switchesEnded = false;
    for (size_t i = 1; i < argv.size(); ++i) {
        Switch parsed;
        if (switchesEnded) {
            items.arguments.push_back(std::move(argv[i]));
        } else if (argv[i] == u"--") {
            switchesEnded = true;
        } else if (ParseSwitch(argv[i], parsed)) {
            items.switches.push_back(std::move(parsed));
        } else {
            items.arguments.push_back(std::move(argv[i]));
        }
    }
}

bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Splits on white space outside double quotes. As on the other platform's command lines, 2n
// backslashes before a quote stand for n backslashes and the quote is a delimiter; 2n+1 stand for
// n backslashes and a literal quote; other backslashes are literal.
std::vector<U16> Split(const U16& text)
{
    std::vector<U16> words;
    U16 word;
    bool inWord = false, quoted = false;
    for (size_t i = 0; i < text.size();) {
        char16_t c = text[i];
        if (c == u'\\') {
            size_t run = 0;
            while (i + run < text.size() && text[i + run] == u'\\')
                ++run;
            inWord = true;
            if (i + run < text.size() && text[i + run] == u'"') {
                word.append(run / 2, u'\\');
                if (run % 2) {
                    word.push_back(u'"');
                    i += run + 1;
                } else {
                    i += run; // the quote is handled as a delimiter next
                }
            } else {
                word.append(run, u'\\');
                i += run;
            }
            continue;
        }
        if (c == u'"') {
            quoted = !quoted;
            inWord = true;
        } else if (IsSpace(c) && !quoted) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word.push_back(c);
            inWord = true;
        }
        ++i;
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

bool NeedsQuotes(const U16& item)
{
    for (char16_t c : item)
        if (IsSpace(c) || c == u'"')
            return true;
    return item.empty();
}

U16 Quote(const U16& item)
{
    if (!NeedsQuotes(item))
        return item;
    U16 out = u"\"";
    size_t backslashes = 0;
    for (char16_t c : item) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are doubled only where a quote follows them.
        out.append(c == u'"' ? backslashes * 2 + 1 : backslashes, u'\\');
        backslashes = 0;
        out.push_back(c);
    }
    out.append(backslashes * 2, u'\\');
    out.push_back(u'"');
    return out;
}

U16 SwitchText(const Switch& s, bool quoted)
{
    U16 text = s.prefix + s.name;
    if (quoted && NeedsQuotes(s.name))
        return Quote(s.hasValue ? text + u"=" + s.value : text);
    if (s.hasValue)
        text += u"=" + (quoted ? Quote(s.value) : s.value);
    return text;
}

std::vector<U16> Argv(const Items& items)
{
    std::vector<U16> argv = items.head;
    for (const Switch& s : items.switches)
        argv.push_back(SwitchText(s, false));
    // Arguments that would read back as switches need the terminator before them.
    bool needsTerminator = false;
    for (const U16& argument : items.arguments)
        needsTerminator = needsTerminator || LooksLikeSwitch(argument);
    if (needsTerminator)
        argv.push_back(u"--");
    argv.insert(argv.end(), items.arguments.begin(), items.arguments.end());
    return argv;
}

const Switch* FindSwitch(const Items& items, const U16& name)
{
    for (auto it = items.switches.rbegin(); it != items.switches.rend(); ++it)
        if (it->name == name)
            return &*it;
    return nullptr;
}

// A switch name without its prefix; empty when the name cannot be a switch's.
U16 SwitchName(const cef_string_t* given)
{
    U16 name = Utf16(given);
    Switch parsed;
    if (!name.starts_with(u"-"))
        name.insert(0, u"--");
    if (!ParseSwitch(name, parsed) || parsed.hasValue)
        return {};
    return parsed.name;
}

// Runs a change under the object's lock, unless the object refuses changes.
template <typename Change>
void Modify(cef_command_line_t* self, Change change)
{
    if (!self || Of(self)->readOnly)
        return;
    std::lock_guard lock(Of(self)->mutex);
    change(Of(self)->items);
}

template <typename Read>
auto Inspect(cef_command_line_t* self, Read read)
{
    std::lock_guard lock(Of(self)->mutex);
    return read(static_cast<const Items&>(Of(self)->items));
}

CommandLine* Create(Items items, bool readOnly);

void Fill(cef_command_line_t& api)
{
    InitCounting<CommandLine>(api);
    api.is_valid = [](cef_command_line_t* self) { return self ? 1 : 0; };
    api.is_read_only = [](cef_command_line_t* self) { return self && Of(self)->readOnly ? 1 : 0; };
    api.copy = [](cef_command_line_t* self) -> cef_command_line_t* {
        if (!self)
            return nullptr;
        Items items = Inspect(self, [](const Items& items) { return items; });
        CommandLine* copy = Create(std::move(items), false);
        return copy ? &copy->api : nullptr;
    };
    api.init_from_argv = [](cef_command_line_t* self, int argc, const char* const* argv) {
        std::vector<U16> words;
        for (int i = 0; argv && i < argc; ++i)
            words.push_back(argv[i] ? Utf16(argv[i]) : U16());
        Modify(self, [&](Items& items) { Parse(items, std::move(words)); });
    };
    api.init_from_string = [](cef_command_line_t* self, const cef_string_t* text) {
        std::vector<U16> words = Split(Utf16(text));
        Modify(self, [&](Items& items) { Parse(items, std::move(words)); });
    };
    api.reset = [](cef_command_line_t* self) { Modify(self, [](Items& items) { items = Items{}; }); };
    api.get_argv = [](cef_command_line_t* self, cef_string_list_t list) {
        if (!self || !list)
            return;
        std::vector<U16> argv = Inspect(self, [](const Items& items) { return Argv(items); });
        cef_string_list_clear(list);
        for (const U16& item : argv) {
            cef_string_t view = BorrowedString(item);
            cef_string_list_append(list, &view);
        }
    };
    api.get_command_line_string = [](cef_command_line_t* self) -> cef_string_userfree_t {
        if (!self)
            return nullptr;
        U16 text = Inspect(self, [](const Items& items) {
            U16 out;
            size_t switchesEnd = items.head.size() + items.switches.size();
            std::vector<U16> argv = Argv(items);
            for (size_t i = 0; i < argv.size(); ++i) {
                if (i)
                    out.push_back(u' ');
                bool isSwitch = i >= items.head.size() && i < switchesEnd;
                out += isSwitch ? SwitchText(items.switches[i - items.head.size()], true) : Quote(argv[i]);
            }
            return out;
        });
        return NewUserFreeString(text);
    };
    api.get_program = [](cef_command_line_t* self) -> cef_string_userfree_t {
        if (!self)
            return nullptr;
        return NewUserFreeString(Inspect(self, [](const Items& items) { return items.head.front(); }));
    };
    api.set_program = [](cef_command_line_t* self, const cef_string_t* program) {
        U16 value = Utf16(program);
        Modify(self, [&](Items& items) { items.head.front() = value; });
    };
    api.has_switches = [](cef_command_line_t* self) {
        return self && Inspect(self, [](const Items& items) { return !items.switches.empty(); }) ? 1 : 0;
    };
    api.has_switch = [](cef_command_line_t* self, const cef_string_t* name) {
        U16 key = SwitchName(name);
        if (!self || key.empty())
            return 0;
        return Inspect(self, [&](const Items& items) { return FindSwitch(items, key) != nullptr; }) ? 1 : 0;
    };
    api.get_switch_value = [](cef_command_line_t* self, const cef_string_t* name) -> cef_string_userfree_t {
        U16 key = SwitchName(name);
        if (!self || key.empty())
            return nullptr;
        auto found = Inspect(self, [&](const Items& items) {
            const Switch* s = FindSwitch(items, key);
            return s ? std::make_pair(true, s->value) : std::make_pair(false, U16());
        });
        return found.first ? NewUserFreeString(found.second) : nullptr;
    };
    api.get_switches = [](cef_command_line_t* self, cef_string_map_t map) {
        if (!self || !map)
            return;
        // Repeated switches appear once, with their last value.
        auto latest = Inspect(self, [](const Items& items) {
            std::map<U16, U16> out;
            for (const Switch& s : items.switches)
                out[s.name] = s.value;
            return out;
        });
        cef_string_map_clear(map);
        for (const auto& [name, value] : latest) {
            cef_string_t key = BorrowedString(name), text = BorrowedString(value);
            cef_string_map_append(map, &key, &text);
        }
    };
    api.append_switch = [](cef_command_line_t* self, const cef_string_t* name) {
        U16 key = SwitchName(name);
        if (!key.empty())
            Modify(self, [&](Items& items) { items.switches.push_back(Switch{u"--", key, U16(), false}); });
    };
    api.append_switch_with_value = [](cef_command_line_t* self, const cef_string_t* name, const cef_string_t* value) {
        U16 key = SwitchName(name), text = Utf16(value);
        if (!key.empty())
            Modify(self, [&](Items& items) { items.switches.push_back(Switch{u"--", key, text, true}); });
    };
    api.has_arguments = [](cef_command_line_t* self) {
        return self && Inspect(self, [](const Items& items) { return !items.arguments.empty(); }) ? 1 : 0;
    };
    api.get_arguments = [](cef_command_line_t* self, cef_string_list_t list) {
        if (!self || !list)
            return;
        std::vector<U16> arguments = Inspect(self, [](const Items& items) { return items.arguments; });
        cef_string_list_clear(list);
        for (const U16& argument : arguments) {
            cef_string_t view = BorrowedString(argument);
            cef_string_list_append(list, &view);
        }
    };
    api.append_argument = [](cef_command_line_t* self, const cef_string_t* argument) {
        U16 value = Utf16(argument);
        Modify(self, [&](Items& items) { items.arguments.push_back(value); });
    };
    api.prepend_wrapper = [](cef_command_line_t* self, const cef_string_t* wrapper) {
        std::vector<U16> words = Split(Utf16(wrapper));
        if (!words.empty())
            Modify(self, [&](Items& items) { items.head.insert(items.head.begin(), words.begin(), words.end()); });
    };
}

CommandLine* Create(Items items, bool readOnly)
{
    auto* object = new (std::nothrow) CommandLine;
    if (!object)
        return nullptr;
    Fill(object->api);
    object->readOnly = readOnly;
    object->items = std::move(items);
    return object;
}

Items ItemsOf(int argc, const char* const* argv)
{
    std::vector<U16> words;
    for (int i = 0; argv && i < argc; ++i)
        words.push_back(argv[i] ? Utf16(argv[i]) : U16());
    Items items;
    Parse(items, std::move(words));
    return items;
}

// Before the program hands its arguments over, the kernel's copy of them is the best answer.
Items ItemsOfThisProcess()
{
    std::string bytes;
    if (FILE* file = std::fopen("/proc/self/cmdline", "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, n);
        std::fclose(file);
    }
    std::vector<std::string> words;
    for (size_t start = 0; start < bytes.size();) {
        size_t end = bytes.find('\0', start);
        if (end == std::string::npos)
            end = bytes.size();
        words.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    std::vector<const char*> argv;
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    return ItemsOf(int(argv.size()), argv.data());
}

std::mutex globalMutex;
CommandLine* global = nullptr;

// The program may unload the library before it ends; the library's reference to the global line
// goes with it (holders of their own references keep the object).
struct GlobalReleaser {
    ~GlobalReleaser()
    {
        std::lock_guard lock(globalMutex);
        if (CommandLine* previous = std::exchange(global, nullptr))
            previous->api.base.release(&previous->api.base);
    }
} globalReleaser;

} // namespace

cef_command_line_t* NewCommandLine(int argc, const char* const* argv, bool readOnly)
{
    CommandLine* object = Create(ItemsOf(argc, argv), readOnly);
    return object ? &object->api : nullptr;
}

void SetGlobalCommandLine(int argc, const char* const* argv)
{
    CommandLine* replacement = Create(ItemsOf(argc, argv), true);
    if (!replacement)
        return;
    CommandLine* previous;
    {
        std::lock_guard lock(globalMutex);
        previous = std::exchange(global, replacement);
    }
    if (previous)
        previous->api.base.release(&previous->api.base);
}

std::string CommandLineSwitchValue(cef_command_line_t* commandLine, std::string_view name)
{
    if (!commandLine || !commandLine->get_switch_value)
        return {};
    U16 key = Utf16(name);
    cef_string_t view = BorrowedString(key);
    cef_string_userfree_t value = commandLine->get_switch_value(commandLine, &view);
    std::string out = Utf8(value);
    if (value)
        cef_string_userfree_utf16_free(value);
    return out;
}

} // namespace webengine

extern "C" {

cef_command_line_t* cef_command_line_create(void)
{
    return webengine::NewCommandLine(0, nullptr, false);
}

cef_command_line_t* cef_command_line_get_global(void)
{
    using namespace webengine;
    std::lock_guard lock(globalMutex);
    if (!global)
        global = Create(ItemsOfThisProcess(), true);
    if (!global)
        return nullptr;
    global->api.base.add_ref(&global->api.base);
    return &global->api;
}

} // extern "C"
