// The engine library's own entry points, called directly as the binding calls them.
#include "engine/capi/cef_entry_points.h"

#include <gtest/gtest.h>
#include <glib.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace {

// A view of s: s must outlive it (string literals do).
cef_string_t Borrowed(std::u16string_view s)
{
    cef_string_t out{};
    cef_string_utf16_set(reinterpret_cast<const char16*>(s.data()), s.size(), &out, 0);
    return out;
}

std::u16string Text(const cef_string_t& s)
{
    return s.str ? std::u16string(reinterpret_cast<const char16_t*>(s.str), s.length) : std::u16string();
}

// An application object that counts its references and the schemes it was asked to register.
struct CountingApp {
    cef_app_t app{};
    int references = 1;
    int schemeCalls = 0;
    int schemeResult = -1;
    // Each command-line call: its process type and the proxy switch the line held.
    std::vector<std::pair<std::u16string, std::u16string>> commandLines;

    CountingApp()
    {
        app.base.size = sizeof(app);
        app.base.add_ref = [](cef_base_t* self) { return ++Of(self)->references; };
        app.base.release = [](cef_base_t* self) { return --Of(self)->references; };
        app.base.get_refct = [](cef_base_t* self) { return Of(self)->references; };
        app.on_register_custom_schemes = [](cef_app_t* self, cef_scheme_registrar_t* registrar) {
            auto* me = Of(&self->base);
            ++me->schemeCalls;
            cef_string_t name = Borrowed(u"local");
            me->schemeResult = registrar->add_custom_scheme(registrar, &name, 1, 1, 0);
        };
        app.on_before_command_line_processing = [](cef_app_t* self, const cef_string_t* type,
                                                   cef_command_line_t* line) {
            cef_string_t name = Borrowed(u"proxy-server");
            cef_string_userfree_t proxy = line->get_switch_value(line, &name);
            Of(&self->base)->commandLines.emplace_back(Text(*type), proxy ? Text(*proxy) : u"");
            if (proxy)
                cef_string_userfree_utf16_free(proxy);
            line->base.release(&line->base);
        };
    }
    static CountingApp* Of(cef_base_t* base) { return reinterpret_cast<CountingApp*>(base); }
};

cef_main_args_t Args(std::vector<std::string>& storage, std::vector<char*>& argv)
{
    argv.clear();
    for (auto& s : storage)
        argv.push_back(s.data());
    return cef_main_args_t{int(argv.size()), argv.data()};
}

} // namespace

TEST(EngineStrings, ConvertBetweenFormsWithoutLoss)
{
    const char utf8[] = "Сервер 2 \xF0\x9F\x93\xBA";
    cef_string_utf16_t utf16{};
    ASSERT_TRUE(cef_string_utf8_to_utf16(utf8, sizeof(utf8) - 1, &utf16));
    EXPECT_EQ(Text(utf16), u"Сервер 2 \U0001F4FA");

    cef_string_wide_t wide{};
    ASSERT_TRUE(cef_string_utf16_to_wide(utf16.str, utf16.length, &wide));
    EXPECT_EQ(std::wstring(wide.str, wide.length), L"Сервер 2 \U0001F4FA");

    cef_string_utf8_t back{};
    ASSERT_TRUE(cef_string_wide_to_utf8(wide.str, wide.length, &back));
    EXPECT_EQ(std::string(back.str, back.length), std::string(utf8));

    // Broken input becomes replacement characters rather than being cut or overrun.
    cef_string_utf16_t broken{};
    ASSERT_TRUE(cef_string_utf8_to_utf16("a\xC3", 2, &broken));
    EXPECT_EQ(Text(broken), u"a\uFFFD");

    cef_string_utf16_clear(&utf16);
    cef_string_wide_clear(&wide);
    cef_string_utf8_clear(&back);
    cef_string_utf16_clear(&broken);
    EXPECT_EQ(utf16.str, nullptr);
    EXPECT_EQ(utf16.length, 0u);
}

TEST(EngineStrings, CopiesOwnTheirBufferAndBorrowedViewsDoNot)
{
    std::u16string source = u"about:blank";
    cef_string_t copy{};
    cef_string_utf16_set(reinterpret_cast<const char16*>(source.data()), source.size(), &copy, 1);
    cef_string_t view = Borrowed(source);
    EXPECT_NE(copy.str, view.str);
    EXPECT_NE(copy.dtor, nullptr);
    EXPECT_EQ(view.dtor, nullptr);
    EXPECT_EQ(cef_string_utf16_cmp(&copy, &view), 0);
    source[0] = u'A';
    EXPECT_EQ(Text(copy), u"about:blank");
    EXPECT_GT(cef_string_utf16_cmp(&copy, &view), 0);
    cef_string_utf16_clear(&copy);
    cef_string_utf16_clear(&view);

    cef_string_userfree_t userfree = cef_string_userfree_utf16_alloc();
    ASSERT_NE(userfree, nullptr);
    cef_string_utf16_set(reinterpret_cast<const char16*>(u"x"), 1, userfree, 1);
    cef_string_userfree_utf16_free(userfree);
}

TEST(EngineStrings, ListsMapsAndMultimapsKeepOrderAndAnswerMisses)
{
    cef_string_t a = Borrowed(u"a"), b = Borrowed(u"b"), c = Borrowed(u"c");
    cef_string_t out{};

    cef_string_list_t list = cef_string_list_alloc();
    cef_string_list_append(list, &a);
    cef_string_list_append(list, &b);
    cef_string_list_t copy = cef_string_list_copy(list);
    cef_string_list_clear(list);
    EXPECT_EQ(cef_string_list_size(list), 0);
    ASSERT_EQ(cef_string_list_size(copy), 2);
    ASSERT_TRUE(cef_string_list_value(copy, 1, &out));
    EXPECT_EQ(Text(out), u"b");
    EXPECT_FALSE(cef_string_list_value(copy, 2, &out));
    EXPECT_FALSE(cef_string_list_value(copy, -1, &out));
    cef_string_list_free(list);
    cef_string_list_free(copy);

    cef_string_map_t map = cef_string_map_alloc();
    EXPECT_TRUE(cef_string_map_append(map, &a, &b));
    EXPECT_FALSE(cef_string_map_append(map, &a, &c));
    EXPECT_EQ(cef_string_map_size(map), 1);
    ASSERT_TRUE(cef_string_map_find(map, &a, &out));
    EXPECT_EQ(Text(out), u"b");
    EXPECT_FALSE(cef_string_map_find(map, &c, &out));
    cef_string_map_free(map);

    cef_string_multimap_t multi = cef_string_multimap_alloc();
    cef_string_multimap_append(multi, &a, &b);
    cef_string_multimap_append(multi, &c, &c);
    cef_string_multimap_append(multi, &a, &c);
    EXPECT_EQ(cef_string_multimap_find_count(multi, &a), 2);
    ASSERT_TRUE(cef_string_multimap_enumerate(multi, &a, 1, &out));
    EXPECT_EQ(Text(out), u"c");
    EXPECT_FALSE(cef_string_multimap_enumerate(multi, &a, 2, &out));
    cef_string_multimap_free(multi);
    cef_string_utf16_clear(&out);
}

TEST(EngineLife, TheGateAnswersMinusOneInTheBrowserProcessAndRegistersSchemesInSubProcesses)
{
    std::vector<std::string> storage{"lumo-tv-player"};
    std::vector<char*> argv;
    CountingApp browserApp;
    cef_main_args_t args = Args(storage, argv);
    EXPECT_EQ(cef_execute_process(&args, &browserApp.app), -1);
    EXPECT_EQ(browserApp.references, 0); // the engine released the reference it was handed
    EXPECT_EQ(browserApp.schemeCalls, 0);
    EXPECT_TRUE(browserApp.commandLines.empty());

    storage.push_back("--type=renderer");
    CountingApp subApp;
    args = Args(storage, argv);
    EXPECT_EQ(cef_execute_process(&args, &subApp.app), 0);
    EXPECT_EQ(subApp.schemeCalls, 1);
    EXPECT_EQ(subApp.schemeResult, 1);
    ASSERT_EQ(subApp.commandLines.size(), 1u);
    EXPECT_EQ(subApp.commandLines[0].first, u"renderer");
    EXPECT_EQ(subApp.references, 0);
}

TEST(EngineLife, InitialisesOnceRunsPendingWorkAndReleasesTheApplicationAtShutdown)
{
    cef_do_message_loop_work(); // before initialisation: nothing, and no crash
    cef_shutdown();

    std::vector<std::string> storage{"lumo-tv-player", "--proxy-server=127.0.0.1:3128"};
    std::vector<char*> argv;
    cef_main_args_t args = Args(storage, argv);
    cef_settings_t settings{};
    settings.size = sizeof(settings);
    CountingApp app;
    ASSERT_EQ(cef_initialize(&args, &settings, &app.app), 1);
    EXPECT_EQ(app.schemeCalls, 1);
    EXPECT_EQ(app.references, 1); // kept until shutdown
    // The program sees the browser process's switches before the engine reads them.
    ASSERT_EQ(app.commandLines.size(), 1u);
    EXPECT_EQ(app.commandLines[0].first, u"");
    EXPECT_EQ(app.commandLines[0].second, u"127.0.0.1:3128");

    CountingApp second;
    EXPECT_EQ(cef_initialize(&args, &settings, &second.app), 0);
    EXPECT_EQ(second.references, 0);

    int ran = 0;
    g_idle_add_full(G_PRIORITY_DEFAULT, [](gpointer data) -> gboolean {
        ++*static_cast<int*>(data);
        cef_do_message_loop_work(); // a nested call does nothing instead of re-entering
        return G_SOURCE_REMOVE;
    }, &ran, nullptr);
    cef_do_message_loop_work();
    EXPECT_EQ(ran, 1);

    cef_shutdown();
    EXPECT_EQ(app.references, 0);
    cef_shutdown(); // a second shutdown does nothing
    EXPECT_EQ(app.references, 0);
}

TEST(EngineLife, WithoutViewsBrowserCreationYieldsNoBrowserAndReleasesTheClient)
{
    struct Client {
        cef_client_t client{};
        int references = 1;
    } client;
    client.client.base.size = sizeof(client.client);
    client.client.base.release = [](cef_base_t* self) { return --reinterpret_cast<Client*>(self)->references; };
    cef_window_info_t info{};
    cef_browser_settings_t settings{};
    cef_string_t url = Borrowed(u"about:blank");
    EXPECT_EQ(cef_browser_host_create_browser_sync(&info, &client.client, &url, &settings), nullptr);
    EXPECT_EQ(client.references, 0);
}

TEST(EngineLibrary, TheProgramRunsBesideItAndEndsAtOnceAsASubProcess)
{
    std::string program = LUMO_BINARY_DIR "/lumo-tv-player";
    int status = std::system(("cd " LUMO_BINARY_DIR " && LUMO_BACKEND=headless " + program +
                              " --type=renderer >/dev/null 2>&1").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    std::string shot = testing::TempDir() + "lumo-engine-main.png";
    status = std::system(("LUMO_BACKEND=headless LUMO_SCREENSHOT=" + shot + " " + program + " >/dev/null 2>&1").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::remove(shot.c_str());
}
