// Runs the program itself on the virtual screen. The program needs its engine library beside it:
// each test runs a copy of the program in a folder of its own, with or without the test engine.
#include "platform/core/Bitmap.h"
#include "platform/image/Image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

// A fresh folder holding a copy of the program and, when given, an engine library as libcef.so.
class ProgramFolder {
public:
    // engine: a test engine of tests/, "libcef.so" for the real one, or empty for none.
    explicit ProgramFolder(const std::string& engine)
    {
        static int count = 0;
        dir_ = fs::temp_directory_path() /
               ("lumo-program-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::copy_file(LUMO_BINARY_DIR "/lumo-tv-player", dir_ / "lumo-tv-player");
        if (engine == "libcef.so")
            fs::copy_file(LUMO_BINARY_DIR "/libcef.so", dir_ / "libcef.so");
        else if (!engine.empty())
            fs::copy_file(std::string(LUMO_BINARY_DIR "/tests/") + engine, dir_ / "libcef.so");
    }
    ~ProgramFolder() { fs::remove_all(dir_); }

    // Runs the copy headless; answers the exit code and keeps its standard error.
    int Run(const std::string& environment, const std::string& arguments = "")
    {
        return RunWith("LUMO_BACKEND=headless LUMO_HEADLESS_ANSWER=default " + environment, arguments);
    }
    // Runs the copy as a user would start it, with no display to show real windows on.
    int RunWithoutDisplay(const std::string& environment = "")
    {
        return RunWith("-u DISPLAY -u WAYLAND_DISPLAY -u LUMO_BACKEND -u LUMO_SCREENSHOT " + environment);
    }
    // The exit code; -1 when the program did not end by itself (a crash, for one).
    int RunWith(const std::string& environment, const std::string& arguments = "")
    {
        std::string command = "cd " + dir_.string() + " && env " + environment + " ./lumo-tv-player " + arguments +
                              " >/dev/null 2>" + (dir_ / "stderr.txt").string();
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(dir_ / name);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool Has(const std::string& name) const { return fs::exists(dir_ / name); }
    fs::path Path(const std::string& name) const { return dir_ / name; }

private:
    fs::path dir_;
};

} // namespace

TEST(Program, ScreenshotShowsTheCentredMainWindowAndEndsWithZero)
{
    ProgramFolder folder("libcef-complete.so");
    std::string shot = folder.Path("shot.png").string();
    std::string log = folder.Path("engine.txt").string();
    ASSERT_EQ(folder.Run("LUMO_SCREENSHOT=" + shot + " LUMO_TEST_ENGINE_LOG=" + log), 0) << folder.Read("stderr.txt");
    DecodedImage image = LoadImageFile(shot);
    const Bitmap& screen = image.bitmap;
    ASSERT_EQ(screen.Width(), 1280);
    ASSERT_EQ(screen.Height(), 1024);

    // The desktop shows at the corners and the window is centred with a 659 x 533 client area
    // inside a frame and a caption.
    PixelBGRA desktop = screen.Pixel(0, 0);
    EXPECT_EQ(screen.Pixel(1279, 1023), desktop);
    int left = 0, right = 1279, top = 0, bottom = 1023;
    while (left < 640 && screen.Pixel(left, 512) == desktop) ++left;
    while (right > 640 && screen.Pixel(right, 512) == desktop) --right;
    while (top < 512 && screen.Pixel(640, top) == desktop) ++top;
    while (bottom > 512 && screen.Pixel(640, bottom) == desktop) --bottom;
    int width = right - left + 1, height = bottom - top + 1;
    EXPECT_GT(width, 659);
    EXPECT_LT(width, 659 + 20);
    EXPECT_GT(height, 533 + 15);
    EXPECT_LT(height, 533 + 50);
    EXPECT_LE(std::abs(left - (1280 - right - 1)), 1);
    // The bottom strip of the client area, between the tool buttons, is the panel of the default
    // skin ("Windows 8": a white PANEL section).
    EXPECT_EQ(PixelToColor(screen.Pixel(left + 450, bottom - 20)), RGB(0xFF, 0xFF, 0xFF));

    // The skinned caption carries its text on its left part: pixels far from the title's own
    // colour, taken from the middle of the title where no text is.
    const PixelBGRA title = screen.Pixel(left + 300, top + 12);
    auto far = [&](PixelBGRA p) {
        return std::abs(int(PixelR(p)) - int(PixelR(title))) + std::abs(int(PixelG(p)) - int(PixelG(title))) +
                   std::abs(int(PixelB(p)) - int(PixelB(title))) > 150;
    };
    int ink = 0;
    for (int y = top + 3; y < top + 24; ++y)
        for (int x = left + 24; x < left + 120; ++x) // right of the icon
            if (far(screen.Pixel(x, y)))
                ++ink;
    EXPECT_GT(ink, 40);

    // The engine was set up for separate sub-processes, asked for the scheme, given the browser
    // and shut down after the windows had gone.
    std::string record = folder.Read("engine.txt");
    EXPECT_NE(record.find("single_process=0"), std::string::npos) << record;
    EXPECT_NE(record.find("add_custom_scheme local 1 1 0"), std::string::npos);
    EXPECT_NE(record.find("load_url about:blank"), std::string::npos);
    auto closing = record.find("parent_window_will_close");
    auto shutdown = record.find("shutdown");
    ASSERT_NE(closing, std::string::npos);
    ASSERT_NE(shutdown, std::string::npos);
    EXPECT_LT(closing, shutdown);
}

TEST(Program, UnwritableScreenshotIsAFailure)
{
    ProgramFolder folder("libcef-complete.so");
    EXPECT_NE(folder.Run("LUMO_SCREENSHOT=/proc/lumo-no-such-dir/x.png"), 0);
}

TEST(Program, AloneWithoutItsEngineReportsTheErrorAndEndsWithOne)
{
    ProgramFolder folder("");
    std::string shot = folder.Path("shot.png").string();
    EXPECT_EQ(folder.Run("LUMO_SCREENSHOT=" + shot), 1);
    std::string err = folder.Read("stderr.txt");
    EXPECT_NE(err.find("MessageBox"), std::string::npos) << err;
    EXPECT_NE(err.find("126"), std::string::npos) << err;
    EXPECT_FALSE(folder.Has("Config.ini"));
    EXPECT_FALSE(folder.Has("shot.png")) << "no window was ever shown";
}

TEST(Program, AsAnEngineSubProcessShowsNothingAndEndsWithZero)
{
    ProgramFolder folder("libcef-subprocess.so");
    std::string shot = folder.Path("shot.png").string();
    std::string log = folder.Path("engine.txt").string();
    EXPECT_EQ(folder.Run("LUMO_SCREENSHOT=" + shot + " LUMO_TEST_ENGINE_LOG=" + log, "--type=renderer"), 0);
    std::string record = folder.Read("engine.txt");
    EXPECT_NE(record.find("execute_process sub\nadd_custom_scheme local 1 1 0\n"), std::string::npos) << record;
    EXPECT_EQ(record.find("initialize"), std::string::npos);
    EXPECT_EQ(record.find("shutdown"), std::string::npos);
    EXPECT_FALSE(folder.Has("shot.png"));
    EXPECT_FALSE(folder.Has("Config.ini"));
}

TEST(Program, WithoutADisplayEndsCleanlyWithOneAndSaysWhy)
{
    // With the real engine loaded: the program once crashed here, tearing the engine down from
    // under its threads on the way out.
    ProgramFolder folder("libcef.so");
    EXPECT_EQ(folder.RunWithoutDisplay(), 1);
    EXPECT_NE(folder.Read("stderr.txt").find("cannot open display"), std::string::npos) << folder.Read("stderr.txt");
    EXPECT_EQ(folder.RunWithoutDisplay("LUMO_BACKEND=gtk"), 1);
    EXPECT_NE(folder.Read("stderr.txt").find("cannot open display"), std::string::npos) << folder.Read("stderr.txt");
    EXPECT_FALSE(folder.Has("Config.ini"));

    // The virtual screen needs no display.
    std::string shot = folder.Path("shot.png").string();
    EXPECT_EQ(folder.RunWithoutDisplay("LUMO_BACKEND=headless LUMO_HEADLESS_ANSWER=default LUMO_SCREENSHOT=" + shot), 0)
        << folder.Read("stderr.txt");
    EXPECT_TRUE(folder.Has("shot.png"));
}

TEST(Program, WithoutItsEngineAndWithoutADisplayGivesBothReasons)
{
    ProgramFolder folder("");
    EXPECT_EQ(folder.RunWithoutDisplay(), 1);
    std::string err = folder.Read("stderr.txt");
    EXPECT_NE(err.find("126"), std::string::npos) << err;
    EXPECT_NE(err.find("cannot open display"), std::string::npos) << err;
    EXPECT_FALSE(folder.Has("Config.ini"));
}
