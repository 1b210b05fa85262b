// The engine library's command-line object, through its exported entry points.
#include "engine/capi/cef_entry_points.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using Words = std::vector<std::u16string>;

cef_string_t View(const std::u16string& s)
{
    cef_string_t out{};
    cef_string_utf16_set(reinterpret_cast<const char16*>(s.data()), s.size(), &out, 0);
    return out;
}

std::u16string Take(cef_string_userfree_t s)
{
    if (!s)
        return u"<null>";
    std::u16string out = s->str ? std::u16string(reinterpret_cast<const char16_t*>(s->str), s->length) : std::u16string();
    cef_string_userfree_utf16_free(s);
    return out;
}

Words ListOf(cef_string_list_t list)
{
    Words out;
    for (int i = 0; i < cef_string_list_size(list); ++i) {
        cef_string_t value{};
        cef_string_list_value(list, i, &value);
        out.emplace_back(reinterpret_cast<const char16_t*>(value.str), value.length);
        cef_string_utf16_clear(&value);
    }
    return out;
}

// Holds one reference and offers the table's calls with standard strings.
class Line {
public:
    explicit Line(cef_command_line_t* p) : p_(p) {}
    Line(const Line&) = delete;
    ~Line()
    {
        if (p_)
            p_->base.release(&p_->base);
    }
    cef_command_line_t* operator->() const { return p_; }
    cef_command_line_t* get() const { return p_; }

    void InitFromArgv(std::vector<const char*> argv) { p_->init_from_argv(p_, int(argv.size()), argv.data()); }
    void InitFromString(const std::u16string& text)
    {
        cef_string_t s = View(text);
        p_->init_from_string(p_, &s);
    }
    Words Argv() const
    {
        cef_string_list_t list = cef_string_list_alloc();
        p_->get_argv(p_, list);
        Words out = ListOf(list);
        cef_string_list_free(list);
        return out;
    }
    Words Arguments() const
    {
        cef_string_list_t list = cef_string_list_alloc();
        p_->get_arguments(p_, list);
        Words out = ListOf(list);
        cef_string_list_free(list);
        return out;
    }
    std::map<std::u16string, std::u16string> Switches() const
    {
        cef_string_map_t map = cef_string_map_alloc();
        p_->get_switches(p_, map);
        std::map<std::u16string, std::u16string> out;
        for (int i = 0; i < cef_string_map_size(map); ++i) {
            cef_string_t key{}, value{};
            cef_string_map_key(map, i, &key);
            cef_string_map_value(map, i, &value);
            auto text = [](const cef_string_t& s) {
                return s.str ? std::u16string(reinterpret_cast<const char16_t*>(s.str), s.length) : std::u16string();
            };
            EXPECT_TRUE(out.emplace(text(key), text(value)).second) << "switch listed twice";
            cef_string_utf16_clear(&key);
            cef_string_utf16_clear(&value);
        }
        cef_string_map_free(map);
        return out;
    }
    std::u16string Value(const std::u16string& name) const
    {
        cef_string_t s = View(name);
        return Take(p_->get_switch_value(p_, &s));
    }
    bool Has(const std::u16string& name) const
    {
        cef_string_t s = View(name);
        return p_->has_switch(p_, &s) != 0;
    }
    std::u16string String() const { return Take(p_->get_command_line_string(p_)); }
    std::u16string Program() const { return Take(p_->get_program(p_)); }
    void AppendSwitch(const std::u16string& name)
    {
        cef_string_t s = View(name);
        p_->append_switch(p_, &s);
    }
    void AppendSwitch(const std::u16string& name, const std::u16string& value)
    {
        cef_string_t n = View(name), v = View(value);
        p_->append_switch_with_value(p_, &n, &v);
    }
    void AppendArgument(const std::u16string& argument)
    {
        cef_string_t s = View(argument);
        p_->append_argument(p_, &s);
    }

private:
    cef_command_line_t* p_;
};

} // namespace

TEST(EngineCommandLine, ParsesSwitchesArgumentsAndTheTerminator)
{
    Line line(cef_command_line_create());
    ASSERT_NE(line.get(), nullptr);
    EXPECT_TRUE(line->is_valid(line.get()));
    EXPECT_FALSE(line->is_read_only(line.get()));

    line.InitFromArgv({"/opt/lumo/lumo-tv-player", "first", "--proxy-server=10.0.0.1:3128", "-single",
                       "--Lang=ru", "--lang=en", "--empty=", "-", "-=x", "--lang=uk", "--", "--not-a-switch",
                       "last"});
    EXPECT_EQ(line.Program(), u"/opt/lumo/lumo-tv-player");
    EXPECT_EQ(line.Value(u"proxy-server"), u"10.0.0.1:3128");
    EXPECT_TRUE(line.Has(u"single"));
    EXPECT_EQ(line.Value(u"single"), u"");
    // Names compare case-sensitively; the last of repeated values wins.
    EXPECT_EQ(line.Value(u"lang"), u"uk");
    EXPECT_EQ(line.Value(u"Lang"), u"ru");
    EXPECT_TRUE(line.Has(u"empty"));
    EXPECT_FALSE(line.Has(u"LANG"));
    EXPECT_FALSE(line.Has(u"not-a-switch"));
    EXPECT_EQ(line.Value(u"missing"), u"<null>");
    // A name may be asked for with its prefix.
    EXPECT_EQ(line.Value(u"--proxy-server"), u"10.0.0.1:3128");

    EXPECT_EQ(line.Arguments(), (Words{u"first", u"-", u"-=x", u"--not-a-switch", u"last"}));
    EXPECT_EQ(line.Switches(), (std::map<std::u16string, std::u16string>{
                                   {u"proxy-server", u"10.0.0.1:3128"}, {u"single", u""}, {u"Lang", u"ru"},
                                   {u"lang", u"uk"}, {u"empty", u""}}));
    EXPECT_TRUE(line->has_switches(line.get()));
    EXPECT_TRUE(line->has_arguments(line.get()));

    // Switches come first; the terminator returns because an argument would read as a switch.
    EXPECT_EQ(line.Argv(), (Words{u"/opt/lumo/lumo-tv-player", u"--proxy-server=10.0.0.1:3128", u"-single",
                                  u"--Lang=ru", u"--lang=en", u"--empty=", u"--lang=uk", u"--", u"first", u"-",
                                  u"-=x", u"--not-a-switch", u"last"}));

    line->reset(line.get());
    EXPECT_EQ(line.Argv(), (Words{u""}));
    EXPECT_FALSE(line->has_switches(line.get()));
    EXPECT_FALSE(line->has_arguments(line.get()));
}

TEST(EngineCommandLine, SplitsTextOnSpacesHonouringQuotes)
{
    Line line(cef_command_line_create());
    line.InitFromString(u"  \"/opt/Lumo TV/player\"  --title=\"Первый канал\" --flag \"two words\" \"\" "
                        u"say\\\"hi\\\" C:\\path\\ \"end\\\\\"\t");
    EXPECT_EQ(line.Program(), u"/opt/Lumo TV/player");
    EXPECT_EQ(line.Value(u"title"), u"Первый канал");
    EXPECT_TRUE(line.Has(u"flag"));
    EXPECT_EQ(line.Arguments(), (Words{u"two words", u"", u"say\"hi\"", u"C:\\path\\", u"end\\"}));

    line.InitFromString(u"");
    EXPECT_EQ(line.Argv(), (Words{u""}));
    line.InitFromString(u"prog \"unterminated quote");
    EXPECT_EQ(line.Arguments(), (Words{u"unterminated quote"}));
}

TEST(EngineCommandLine, WrittenStringReadsBackToTheSameItems)
{
    Line line(cef_command_line_create());
    line.InitFromArgv({"/opt/Lumo TV/player", "--name=value with spaces", "--q=say \"hi\"", "--tail=ends\\",
                       "--empty="});
    line.AppendSwitch(u"odd name", u"x");
    line.AppendSwitch(u"bare");
    line.AppendArgument(u"--looks-like-switch");
    line.AppendArgument(u"");
    line.AppendArgument(u"Канал \\\"1\\\"");
    line.AppendArgument(u"a\\\\b");

    std::u16string text = line.String();
    EXPECT_NE(text.find(u"--name=\"value with spaces\""), std::u16string::npos) << std::string(text.begin(), text.end());

    Line reread(cef_command_line_create());
    reread.InitFromString(text);
    EXPECT_EQ(reread.Argv(), line.Argv());
    EXPECT_EQ(reread.Switches(), line.Switches());
    EXPECT_EQ(reread.Arguments(), line.Arguments());
    EXPECT_EQ(reread.Value(u"odd name"), u"x");
}

TEST(EngineCommandLine, AppendsOnlyWellFormedSwitchesAndPrependsWrappers)
{
    Line line(cef_command_line_create());
    line.InitFromArgv({"player", "--a=1"});
    line.AppendSwitch(u"--already-prefixed");
    line.AppendSwitch(u"a", u"2");
    line.AppendSwitch(u"");
    line.AppendSwitch(u"--");
    line.AppendSwitch(u"k=v");
    line.AppendSwitch(u"k=v", u"w");
    EXPECT_EQ(line.Argv(), (Words{u"player", u"--a=1", u"--already-prefixed", u"--a=2"}));
    EXPECT_EQ(line.Value(u"a"), u"2");

    std::u16string wrapperText = u"gdb --args";
    cef_string_t wrapper = View(wrapperText);
    line->prepend_wrapper(line.get(), &wrapper);
    EXPECT_EQ(line.Program(), u"gdb");
    EXPECT_EQ(line.Argv(), (Words{u"gdb", u"--args", u"player", u"--a=1", u"--already-prefixed", u"--a=2"}));
    // The wrapper's words are not switches of the program.
    EXPECT_FALSE(line.Has(u"args"));

    std::u16string programText = u"valgrind";
    cef_string_t program = View(programText);
    line->set_program(line.get(), &program);
    EXPECT_EQ(line.Program(), u"valgrind");

    // Null arguments are empty, not a crash.
    line->append_switch(line.get(), nullptr);
    line->append_argument(line.get(), nullptr);
    line->init_from_argv(line.get(), 3, nullptr);
    EXPECT_EQ(line.Argv(), (Words{u""}));
}

TEST(EngineCommandLine, CopiesAreWritableAndIndependent)
{
    Line line(cef_command_line_create());
    line.InitFromArgv({"player", "--x=1", "arg"});
    EXPECT_EQ(line->base.get_refct(&line->base), 1);
    EXPECT_EQ(line->base.add_ref(&line->base), 2);
    EXPECT_EQ(line->base.release(&line->base), 1);

    Line copy(line->copy(line.get()));
    ASSERT_NE(copy.get(), nullptr);
    EXPECT_EQ(copy->base.get_refct(&copy->base), 1);
    copy.AppendSwitch(u"x", u"2");
    EXPECT_EQ(copy.Value(u"x"), u"2");
    EXPECT_EQ(line.Value(u"x"), u"1");
    EXPECT_EQ(copy.Arguments(), (Words{u"arg"}));
}

TEST(EngineCommandLine, TheGlobalLineIsReadOnly)
{
    Line global(cef_command_line_get_global());
    ASSERT_NE(global.get(), nullptr);
    EXPECT_TRUE(global->is_read_only(global.get()));
    Words before = global.Argv();
    ASSERT_FALSE(before.empty());
    EXPECT_FALSE(before.front().empty()) << "the program of this test process";

    global.AppendSwitch(u"injected", u"1");
    global.AppendArgument(u"extra");
    global.InitFromString(u"other --x");
    global->reset(global.get());
    std::u16string wrapperText = u"wrapper";
    cef_string_t wrapper = View(wrapperText);
    global->prepend_wrapper(global.get(), &wrapper);
    EXPECT_EQ(global.Argv(), before);
    EXPECT_FALSE(global.Has(u"injected"));

    Line again(cef_command_line_get_global());
    EXPECT_EQ(again.Argv(), before);

    // A copy of it may be changed, as on_before_command_line_processing is given. The global line
    // may already hold switches (an initialisation earlier in this process sets it), so the copy
    // gets one that no other test uses.
    ASSERT_FALSE(global.Has(u"copy-only-proxy"));
    Line copy(global->copy(global.get()));
    EXPECT_FALSE(copy->is_read_only(copy.get()));
    copy.AppendSwitch(u"copy-only-proxy", u"127.0.0.1:8080");
    EXPECT_EQ(copy.Value(u"copy-only-proxy"), u"127.0.0.1:8080");
    EXPECT_FALSE(global.Has(u"copy-only-proxy"));
    EXPECT_EQ(global.Argv(), before);
}

TEST(EngineCommandLine, CountsReferencesAndReadsAcrossThreads)
{
    Line line(cef_command_line_create());
    line.InitFromArgv({"player", "--proxy-server=a:1"});
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&line] {
            for (int i = 0; i < 5000; ++i) {
                line->base.add_ref(&line->base);
                EXPECT_EQ(line.Value(u"proxy-server"), u"a:1");
                line->base.release(&line->base);
            }
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(line->base.get_refct(&line->base), 1);
}
