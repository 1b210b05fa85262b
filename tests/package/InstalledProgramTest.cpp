// The Debian package as a user gets it: unpacked into a folder of its own (never installed on
// this machine) and its program started from there on a private X server, by a user who cannot
// write the program's folder, as after a system-wide installation. The superuser may write
// anywhere, so as root the program runs as the user "nobody".
#include "../platform/gtk/VirtualDisplay.h"

#include "platform/core/Bitmap.h"
#include "platform/image/Image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr uid_t Nobody = 65534;
constexpr int MainClientWidth = 659, MainClientHeight = 533;
constexpr int SettingsClientWidth = 494, SettingsClientHeight = 290;

std::string Capture(const std::string& command)
{
    std::string out;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        ::pclose(pipe);
    }
    return out;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Hands a folder to the user the program runs as.
void GiveToProgramUser(const fs::path& path)
{
    if (::geteuid() == 0)
        std::system(("chown -R " + std::to_string(Nobody) + ":" + std::to_string(Nobody) + " '" + path.string() + "'")
                        .c_str());
}

// The package unpacked once for all tests, under the build tree (a temporary folder may forbid
// running programs), open to the program's user to read.
class UnpackedPackage {
public:
    static UnpackedPackage& Instance()
    {
        static UnpackedPackage unpacked;
        return unpacked;
    }

    const std::string& Problem() const { return problem_; }
    fs::path Root() const { return folder_ / "root"; }
    fs::path ProgramFolder() const { return Root() / "usr/lib/lumo-tv-player"; }

    // A fresh folder of the program's user, removed with the package.
    fs::path UserFolder(const std::string& name) const
    {
        fs::path path = folder_ / name;
        fs::remove_all(path);
        fs::create_directories(path);
        GiveToProgramUser(path);
        return path;
    }

    ~UnpackedPackage()
    {
        if (!folder_.empty()) {
            std::system(("chmod -R u+w '" + folder_.string() + "'").c_str());
            std::error_code ignored;
            fs::remove_all(folder_, ignored);
        }
    }

private:
    UnpackedPackage()
    {
        if (!fs::exists(LUMO_PACKAGE_FILE)) {
            problem_ = std::string("there is no package ") + LUMO_PACKAGE_FILE +
                       "; build it with: cmake --build build --target package";
            return;
        }
        std::string base = LUMO_BINARY_DIR "/tests/tmp";
        fs::create_directories(base);
        std::string pattern = base + "/package-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            problem_ = "mkdtemp failed";
            return;
        }
        folder_ = pattern;
        ::chmod(folder_.c_str(), 0755);
        fs::create_directories(Root());
        std::string unpack = "dpkg-deb -x '" + std::string(LUMO_PACKAGE_FILE) + "' '" + Root().string() + "' 2>&1";
        if (std::string out = Capture(unpack + " && echo unpacked"); out.find("unpacked") == std::string::npos) {
            problem_ = "dpkg-deb -x failed: " + out;
            return;
        }
        // As installed: owned by someone else and read-only.
        std::system(("chmod -R a-w '" + ProgramFolder().string() + "'").c_str());
    }

    fs::path folder_;
    std::string problem_;
};

struct WindowPlace {
    int x = 0, y = 0, width = 0, height = 0;
    bool Found() const { return width > 0; }
};

int ShellValue(const std::string& text, const std::string& name)
{
    size_t at = text.find(name + "=");
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + name.size() + 1);
}

// The visible top-level window of that exact title, waiting up to 60 seconds for it. Titles are
// compared here: xdotool's own search cannot match Cyrillic titles.
WindowPlace FindWindow(const std::string& title)
{
    for (auto end = std::chrono::steady_clock::now() + 60s; std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(100ms)) {
        std::istringstream ids(Capture("xdotool search --onlyvisible --name . 2>/dev/null"));
        for (std::string id; std::getline(ids, id);) {
            if (Capture("xdotool getwindowname " + id + " 2>/dev/null") != title + "\n")
                continue;
            std::string geometry = Capture("xdotool getwindowgeometry --shell " + id);
            return WindowPlace{ShellValue(geometry, "X"), ShellValue(geometry, "Y"), ShellValue(geometry, "WIDTH"),
                               ShellValue(geometry, "HEIGHT")};
        }
    }
    return {};
}

// The screen point of a point of a window's client area: the frame is as wide on the left as on
// the right and the bottom, and the caption adds to the top.
platform::POINT ClientPoint(const WindowPlace& window, int clientWidth, int clientHeight, int x, int y)
{
    int side = (window.width - clientWidth) / 2;
    int top = window.height - clientHeight - side;
    return platform::POINT{window.x + side + x, window.y + top + y};
}

void Click(platform::POINT at)
{
    std::system(("xdotool mousemove --sync " + std::to_string(at.x) + " " + std::to_string(at.y) +
                 " click 1 mousemove 0 0 >/dev/null 2>&1")
                    .c_str());
}

bool WaitForFile(const fs::path& path, std::chrono::milliseconds limit)
{
    for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(50ms))
        if (fs::exists(path))
            return true;
    return fs::exists(path);
}

// The program started as its user would start it, with only the environment given; it and the
// engine's helper processes form a group of their own, ended together.
class ProgramRun {
public:
    ProgramRun(const fs::path& program, const std::vector<std::string>& environment, const fs::path& log) : log_(log)
    {
        std::vector<std::string> variables = environment;
        variables.push_back(std::string("DISPLAY=") + std::getenv("DISPLAY"));
        variables.push_back("PATH=/usr/bin:/bin");
        pid_ = ::fork();
        if (pid_ != 0)
            return;
        ::setpgid(0, 0);
        if (std::FILE* out = std::fopen(log.c_str(), "w")) {
            ::dup2(::fileno(out), 1);
            ::dup2(::fileno(out), 2);
        }
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
            ::_exit(126);
        if (::chdir("/") != 0)
            ::_exit(126);
        std::vector<char*> env;
        for (std::string& v : variables)
            env.push_back(v.data());
        env.push_back(nullptr);
        std::string path = program.string();
        char* argv[] = {path.data(), nullptr};
        ::execve(path.c_str(), argv, env.data());
        ::_exit(127);
    }
    // The engine's helpers outlive the program for a moment, writing into the user's folders;
    // the test removes those folders only once the whole group is gone.
    ~ProgramRun()
    {
        if (pid_ <= 0)
            return;
        ::kill(-pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        // Bounded: helpers that end as zombies nobody reaps still count as members.
        const auto start = std::chrono::steady_clock::now();
        for (bool killed = false; ::kill(-pid_, 0) == 0 && std::chrono::steady_clock::now() - start < 8s;
             std::this_thread::sleep_for(20ms)) {
            if (!killed && std::chrono::steady_clock::now() - start > 4s) {
                ::kill(-pid_, SIGKILL);
                killed = true;
            }
        }
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    std::string Log() const { return ReadFile(log_); }

private:
    pid_t pid_ = -1;
    fs::path log_;
};

// Opens the settings window from the main window and presses "Сохранить настройки соединения"
// with the proxy box unchecked, which writes useProxy only.
void SaveTheConnectionSettings(const WindowPlace& main)
{
    // "Настройки", the fifth button of the bottom row.
    Click(ClientPoint(main, MainClientWidth, MainClientHeight, 154 + 16, 493 + 4 + 16));
    WindowPlace settings = FindWindow("Настройки");
    ASSERT_TRUE(settings.Found()) << "the settings window never showed";
    // The button lies in the proxy group of the page, below the tabs.
    Click(ClientPoint(settings, SettingsClientWidth, SettingsClientHeight, 4 + 8 + 15 + 95, 27 + 8 + 103 + 12));
}

class InstalledProgramTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(package.Problem(), "");
        gtktest::VirtualDisplay& display = gtktest::VirtualDisplay::Instance();
        ASSERT_TRUE(display.Running()) << display.Error();
    }

    UnpackedPackage& package = UnpackedPackage::Instance();
};

TEST_F(InstalledProgramTest, ThePackageHoldsTheProgramBesideItsEngineAndTheDesktopItsEntryAndIcons)
{
    const fs::path root = package.Root();
    // The launcher is a link into the private folder, where the program looks for its files.
    EXPECT_EQ(fs::read_symlink(root / "usr/bin/lumo-tv-player"), "../lib/lumo-tv-player/lumo-tv-player");
    for (const char* file : {"lumo-tv-player", "libcef.so", "engine-extensions/lumo-request-filter.so",
                             "player/tvpl1.html"})
        EXPECT_TRUE(fs::is_regular_file(package.ProgramFolder() / file)) << file;

    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const fs::path icon = root / "usr/share/icons/hicolor" / name / "apps/lumo-tv-player.png";
        platform::DecodedImage image = platform::LoadImageFile(icon.string());
        EXPECT_EQ(image.bitmap.Width(), size) << icon;
        EXPECT_EQ(image.bitmap.Height(), size) << icon;
        // A picture on a clear background: the corner shows the desktop, the middle the set.
        if (image.bitmap.Width() == size) {
            EXPECT_EQ(platform::PixelA(image.bitmap.Pixel(0, 0)), 0) << icon;
            EXPECT_EQ(platform::PixelA(image.bitmap.Pixel(size / 2, size / 2)), 255) << icon;
        }
    }

    const std::string entry = ReadFile(root / "usr/share/applications/lumo-tv-player.desktop");
    EXPECT_NE(entry.find("\nExec=lumo-tv-player\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=lumo-tv-player\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nComment[ru]="), std::string::npos) << entry;

    // The skin tool on the PATH works from there too: it carries the internal skins itself, and
    // the skin directory "c:\Skins" lies in the user's data folder.
    const std::string tool = "'" + (root / "usr/bin/lumo-skin").string() + "'";
    std::string skins = Capture(tool + " list");
    EXPECT_EQ(std::count(skins.begin(), skins.end(), '\n'), 97) << skins;
    const fs::path home = package.UserFolder("skin-home");
    const fs::path skinDirectory = home / ".local/share/lumo-tv-player/drives/c/Skins";
    fs::create_directories(skinDirectory);
    const std::string user = "env -u LUMO_DRIVE_ROOT -u XDG_DATA_HOME HOME='" + home.string() + "' ";
    Capture(user + tool + " extract 'Air (internal)' '" + skinDirectory.string() + "'");
    skins = Capture(user + tool + " list --all");
    EXPECT_NE(skins.find("\nAir (internal) extracted\n"), std::string::npos) << skins;
    EXPECT_TRUE(fs::exists(root / "usr/share/man/man1/lumo-skin.1.gz"));
}

TEST_F(InstalledProgramTest, FromTheReadOnlyFolderItShowsItsMainWindowAndSavesSettingsInTheUsersFolder)
{
    const fs::path home = package.UserFolder("home");
    ProgramRun program(package.Root() / "usr/bin/lumo-tv-player", {"HOME=" + home.string()}, home / "program.log");
    WindowPlace main = FindWindow("Lumo TV Player");
    ASSERT_TRUE(main.Found()) << "the main window never showed; the program said:\n" << program.Log();

    // Painted with its pictures, which the program carries inside itself: the glyph of
    // "Настройки" has many colours, the strip beside it the default skin's white panel.
    std::this_thread::sleep_for(1500ms);
    const fs::path shot = LUMO_BINARY_DIR "/tests/installed-main-window.png";
    std::system(("import -window root '" + shot.string() + "'").c_str());
    platform::DecodedImage screen = platform::LoadImageFile(shot.string());
    ASSERT_EQ(screen.bitmap.Width(), 1280);
    std::set<platform::COLORREF> glyph;
    for (int y = 497; y < 529; ++y)
        for (int x = 154; x < 186; ++x) {
            platform::POINT p = ClientPoint(main, MainClientWidth, MainClientHeight, x, y);
            glyph.insert(platform::PixelToColor(screen.bitmap.Pixel(p.x, p.y)));
        }
    EXPECT_GT(glyph.size(), 20u) << "see " << shot;
    platform::POINT strip = ClientPoint(main, MainClientWidth, MainClientHeight, 450, MainClientHeight - 20);
    EXPECT_EQ(platform::PixelToColor(screen.bitmap.Pixel(strip.x, strip.y)), platform::RGB(0xFF, 0xFF, 0xFF));

    EXPECT_FALSE(fs::exists(home / ".config")) << "nothing is written before the first save";
    ASSERT_NO_FATAL_FAILURE(SaveTheConnectionSettings(main));
    const fs::path config = home / ".config/lumo-tv-player/Config.ini";
    ASSERT_TRUE(WaitForFile(config, 10s)) << "the program said:\n" << program.Log();
    EXPECT_EQ(ReadFile(config), "[Proxy]\r\nuseProxy=0\r\n");
    struct stat folder {};
    ASSERT_EQ(::stat(config.parent_path().c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    EXPECT_FALSE(fs::exists(package.ProgramFolder() / "Config.ini"));
}

TEST_F(InstalledProgramTest, FromTheReadOnlyFolderTheSettingsFollowXdgConfigHome)
{
    const fs::path home = package.UserFolder("xdg-home");
    const fs::path xdg = home / "xdg";
    ProgramRun program(package.Root() / "usr/bin/lumo-tv-player",
                       {"HOME=" + home.string(), "XDG_CONFIG_HOME=" + xdg.string()}, home / "program.log");
    WindowPlace main = FindWindow("Lumo TV Player");
    ASSERT_TRUE(main.Found()) << "the main window never showed; the program said:\n" << program.Log();

    ASSERT_NO_FATAL_FAILURE(SaveTheConnectionSettings(main));
    ASSERT_TRUE(WaitForFile(xdg / "lumo-tv-player/Config.ini", 10s)) << "the program said:\n" << program.Log();
    EXPECT_EQ(ReadFile(xdg / "lumo-tv-player/Config.ini"), "[Proxy]\r\nuseProxy=0\r\n");
    EXPECT_FALSE(fs::exists(home / ".config"));
    EXPECT_FALSE(fs::exists(package.ProgramFolder() / "Config.ini"));
}

TEST_F(InstalledProgramTest, APortableCopyInAFolderItsUserMayWriteKeepsTheSettingsBesideItself)
{
    const fs::path home = package.UserFolder("portable-home");
    const fs::path copy = home / "lumo-tv-player";
    fs::copy(package.ProgramFolder(), copy, fs::copy_options::recursive);
    std::system(("chmod -R u+w '" + copy.string() + "'").c_str());
    GiveToProgramUser(home);
    ProgramRun program(copy / "lumo-tv-player", {"HOME=" + home.string(), "XDG_CONFIG_HOME=" + (home / "xdg").string()},
                       home / "program.log");
    WindowPlace main = FindWindow("Lumo TV Player");
    ASSERT_TRUE(main.Found()) << "the main window never showed; the program said:\n" << program.Log();

    ASSERT_NO_FATAL_FAILURE(SaveTheConnectionSettings(main));
    ASSERT_TRUE(WaitForFile(copy / "Config.ini", 10s)) << "the program said:\n" << program.Log();
    EXPECT_EQ(ReadFile(copy / "Config.ini"), "[Proxy]\r\nuseProxy=0\r\n");
    EXPECT_FALSE(fs::exists(home / "xdg"));
    EXPECT_FALSE(fs::exists(home / ".config/lumo-tv-player"));
}

} // namespace
