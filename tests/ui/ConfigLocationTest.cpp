// Where the settings file goes: beside a program in a folder its user may write, else in the
// user's settings folder. The superuser may write anywhere, so the read-only cases are decided
// by a child process that has given that right up.
#include "tests/platform/system/SystemTestSupport.h"
#include "ui/main/ConfigLocation.h"

#include <gtest/gtest.h>

#include <functional>
#include <grp.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::test::ScopedEnvironment;
using platform::test::TempFolder;

namespace {

constexpr uid_t Nobody = 65534;

// What ask answers in a process that cannot write where the folder's mode forbids it: this
// process itself, or, for the superuser, a child that has become the user "nobody".
std::string AskUnprivileged(const std::function<std::string()>& ask)
{
    if (::geteuid() != 0)
        return ask();
    int fds[2];
    if (::pipe(fds) != 0)
        return "pipe failed";
    pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        std::string answer = ::setgroups(0, nullptr) == 0 && ::setgid(Nobody) == 0 && ::setuid(Nobody) == 0
                                 ? ask()
                                 : "could not give up the superuser's rights";
        ssize_t written = ::write(fds[1], answer.data(), answer.size());
        ::_exit(written == ssize_t(answer.size()) ? 0 : 1);
    }
    ::close(fds[1]);
    std::string answer;
    char buffer[256];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, size_t(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return answer;
}

std::string ConfigFileFor(const std::string& programDirectory)
{
    return platform::Utf16ToUtf8(ui::ConfigFilePath(platform::Utf8ToUtf16(programDirectory)));
}

class ConfigLocationTest : public testing::Test {
protected:
    // Open to the unprivileged child, which must reach the program's folder to judge it.
    void SetUp() override { ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0); }

    TempFolder folder;
    ScopedEnvironment home{"HOME", "/home/viewer"};
};

TEST_F(ConfigLocationTest, AProgramInAFolderItsUserMayWriteKeepsTheFileBesideIt)
{
    ScopedEnvironment config("XDG_CONFIG_HOME", "/settings/viewer");
    const std::string program = folder.File("portable") + "/";
    std::filesystem::create_directories(program);
    ::chmod(program.c_str(), 0777);
    EXPECT_EQ(ConfigFileFor(program), program + "Config.ini");
    EXPECT_EQ(AskUnprivileged([&] { return ConfigFileFor(program); }), program + "Config.ini");
    EXPECT_FALSE(std::filesystem::exists(program + "Config.ini")) << "choosing the place writes nothing";
}

TEST_F(ConfigLocationTest, AProgramInAReadOnlyFolderKeepsTheFileInTheUsersSettingsFolder)
{
    const std::string program = folder.File("installed") + "/";
    std::filesystem::create_directories(program);
    // Read-only as a system-wide installation is, with a file beside it that is not taken.
    platform::test::WriteBytes(program + "Config.ini", "[Skin]\r\nuseSkin=Air (internal)\r\n");
    ASSERT_EQ(::chmod(program.c_str(), 0555), 0);
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", "/settings/viewer");
        EXPECT_EQ(AskUnprivileged([&] { return ConfigFileFor(program); }), "/settings/viewer/lumo-tv-player/Config.ini");
    }
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative"}) {
        ScopedEnvironment config("XDG_CONFIG_HOME", unusable ? std::optional<std::string>(unusable) : std::nullopt);
        EXPECT_EQ(AskUnprivileged([&] { return ConfigFileFor(program); }), "/home/viewer/.config/lumo-tv-player/Config.ini");
    }
}

} // namespace
