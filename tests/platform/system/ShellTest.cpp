// ShellExecute: programs started directly with exact arguments, addresses and documents handed to
// the desktop's handler, failures, and no child left behind.
#include "platform/system/LastError.h"
#include "platform/system/Shell.h"
#include "tests/platform/system/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

using namespace platform;
using platform::test::ReadBytes;
using platform::test::ScopedEnvironment;
using platform::test::TempFolder;
using platform::test::WriteBytes;

namespace {

std::intptr_t Answer(HINSTANCE result) { return reinterpret_cast<std::intptr_t>(result); }

void WriteScript(const std::string& path, const std::string& body)
{
    WriteBytes(path, "#!/bin/sh\n" + body);
    chmod(path.c_str(), 0755);
}

// Waits for a file a started program writes last; the program runs on its own.
std::string WaitForFile(const std::string& path)
{
    for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return ReadBytes(path);
}

// Records its arguments one per line in args.txt in its working folder, then marks the end.
const char* const kRecorder = "for a in \"$@\"; do printf '[%s]\\n' \"$a\" >> args.txt; done\n"
                              "echo run >> runs.txt\n"
                              "touch done\n";

TEST(Shell, SplitsParametersLikeAWindowsProgramsRuntime)
{
    EXPECT_EQ(SplitCommandLine(u"  one \t two  "), (std::vector<String>{u"one", u"two"}));
    EXPECT_EQ(SplitCommandLine(u"\"two words\" \"\" x"), (std::vector<String>{u"two words", u"", u"x"}));
    EXPECT_EQ(SplitCommandLine(u"\"say \\\"hi\\\"\""), std::vector<String>{u"say \"hi\""});
    EXPECT_EQ(SplitCommandLine(u"\"a \"\"quoted\"\" word\""), std::vector<String>{u"a \"quoted\" word"});
    EXPECT_EQ(SplitCommandLine(u"c:\\dir\\ \"c:\\dir\\\\\" a\\\\\\\"b"),
              (std::vector<String>{u"c:\\dir\\", u"c:\\dir\\", u"a\\\"b"}));
    EXPECT_EQ(SplitCommandLine(u"ab\"c d\"e"), std::vector<String>{u"abc de"});
    EXPECT_TRUE(SplitCommandLine(u"   ").empty());
}

TEST(Shell, AProgramRunsOnceWithExactlyItsArgumentsAndNoShell)
{
    TempFolder folder;
    WriteScript(folder.File("installer"), kRecorder);
    String parameters = u"\"two words\" \"say \\\"hi\\\"\" $(touch injected) ; touch injected2 'single' Ж";
    HINSTANCE result = ShellExecute(nullptr, u"open", folder.WideFile("installer").c_str(), parameters.c_str(),
                                    Utf8ToUtf16(folder.Path()).c_str(), SW_SHOWNORMAL);
    ASSERT_GT(Answer(result), 32);
    // Nothing is left to reap: the child between us and the program has been waited for.
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);

    WaitForFile(folder.File("done"));
    EXPECT_EQ(ReadBytes(folder.File("args.txt")),
              "[two words]\n[say \"hi\"]\n[$(touch]\n[injected)]\n[;]\n[touch]\n[injected2]\n['single']\n[Ж]\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(ReadBytes(folder.File("runs.txt")), "run\n");
    EXPECT_FALSE(std::filesystem::exists(folder.File("injected")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("injected2")));
}

TEST(Shell, AProgramNamedTheWindowsWayStartsInTheCurrentFolderWithoutParameters)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.File("plugin"));
    WriteScript(folder.File("plugin/vlcplugin.exe"), "pwd -P > \"$(dirname \"$0\")/where.txt\"\n");
    String windowsPath = Utf8ToUtf16(folder.Path()) + u"\\PLUGIN\\VlcPlugin.exe";
    ASSERT_GT(Answer(ShellExecute(nullptr, u"open", windowsPath.c_str(), nullptr, nullptr, SW_SHOWNORMAL)), 32);
    std::string where = WaitForFile(folder.File("plugin/where.txt"));
    EXPECT_EQ(where, std::filesystem::current_path().string() + "\n");
}

TEST(Shell, MissingFilesAndFoldersFailWithSmallAnswers)
{
    TempFolder folder;
    EXPECT_EQ(Answer(ShellExecute(nullptr, u"open", folder.WideFile("plugin/vlcplugin.exe").c_str(), nullptr,
                                  nullptr, SW_SHOWNORMAL)),
              SE_ERR_FNF);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_LE(Answer(ShellExecute(nullptr, u"open", u"no-such-file", nullptr, nullptr, SW_SHOWNORMAL)), 32);
    EXPECT_LE(Answer(ShellExecute(nullptr, u"open", u"", nullptr, nullptr, SW_SHOWNORMAL)), 32);
    EXPECT_LE(Answer(ShellExecute(nullptr, u"open", nullptr, nullptr, nullptr, SW_SHOWNORMAL)), 32);
    WriteScript(folder.File("tool"), "exit 0\n");
    EXPECT_EQ(Answer(ShellExecute(nullptr, u"open", folder.WideFile("tool").c_str(), nullptr,
                                  folder.WideFile("missing").c_str(), SW_SHOWNORMAL)),
              SE_ERR_PNF);
    EXPECT_EQ(Answer(ShellExecute(nullptr, u"print", folder.WideFile("tool").c_str(), nullptr, nullptr, SW_SHOWNORMAL)),
              SE_ERR_NOASSOC);
}

class ShellHandler : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(folder_.File("bin"));
        WriteScript(folder_.File("bin/xdg-open"), "PATH=/usr/bin:/bin\nprintf '%s|' \"$@\" > \"" + folder_.File("opened.tmp") + "\"\nmv \"" +
                                                      folder_.File("opened.tmp") + "\" \"" + folder_.File("opened") + "\"\n");
    }

    // What the fake handler was asked to open.
    std::string Opened(const WCHAR* file)
    {
        std::filesystem::remove(folder_.File("opened"));
        ScopedEnvironment path("PATH", folder_.File("bin"));
        std::intptr_t answer = Answer(ShellExecute(nullptr, u"open", file, nullptr, nullptr, SW_SHOWNORMAL));
        if (answer <= 32)
            return "failed " + std::to_string(answer);
        return WaitForFile(folder_.File("opened"));
    }

    TempFolder folder_;
};

TEST_F(ShellHandler, AddressesGoToTheHandlerAsOneArgument)
{
    EXPECT_EQ(Opened(u"www.example.ru"), "http://www.example.ru|");
    EXPECT_EQ(Opened(u"example.ru/ru/flashplayer/otherversions/"), "http://example.ru/ru/flashplayer/otherversions/|");
    EXPECT_EQ(Opened(u"https://example.ru/a?b=1&c=$(x);d"), "https://example.ru/a?b=1&c=$(x);d|");
    EXPECT_EQ(Opened(u"mailto:viewer@example.ru"), "mailto:viewer@example.ru|");
    EXPECT_EQ(Opened(u"ftp.example.ru"), "ftp://ftp.example.ru|");
    EXPECT_EQ(Opened(u"телеканал.рф"), "http://телеканал.рф|");
}

TEST_F(ShellHandler, DocumentsAndFoldersGoToTheHandlerByFullPath)
{
    WriteBytes(folder_.File("page.html"), "<html></html>");
    EXPECT_EQ(Opened(folder_.WideFile("page.html").c_str()), folder_.File("page.html") + "|");
    // Execute permission alone does not make a document a program.
    WriteBytes(folder_.File("notes.txt"), "plain text");
    chmod(folder_.File("notes.txt").c_str(), 0755);
    EXPECT_EQ(Opened(folder_.WideFile("notes.txt").c_str()), folder_.File("notes.txt") + "|");
    EXPECT_EQ(Opened(Utf8ToUtf16(folder_.Path()).c_str()), folder_.Path() + "|");
    // Text that is neither a file nor an address is not sent anywhere.
    EXPECT_EQ(Opened(u"no such thing"), "failed 2");
}

TEST_F(ShellHandler, WithoutAnyHandlerThereIsNoAssociation)
{
    std::filesystem::remove(folder_.File("bin/xdg-open"));
    ScopedEnvironment path("PATH", folder_.File("bin"));
    EXPECT_EQ(Answer(ShellExecute(nullptr, u"open", u"www.example.ru", nullptr, nullptr, SW_SHOWNORMAL)),
              SE_ERR_NOASSOC);
    EXPECT_EQ(GetLastError(), ERROR_NO_ASSOCIATION);
}

} // namespace
