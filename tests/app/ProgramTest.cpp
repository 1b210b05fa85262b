// Runs the program itself on the virtual screen and reads the screenshot it leaves.
#include "platform/Bitmap.h"
#include "platform/Image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

using namespace platform;

namespace {

int RunProgram(const std::string& environment)
{
    std::string command = environment + " " + LUMO_BINARY_DIR "/lumo-tv-player >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(Program, ScreenshotShowsTheCentredMainWindowAndEndsWithZero)
{
    auto shot = std::filesystem::temp_directory_path() / ("lumo-program-" + std::to_string(::getpid()) + ".png");
    ASSERT_EQ(RunProgram("LUMO_BACKEND=headless LUMO_SCREENSHOT=" + shot.string()), 0);
    DecodedImage image = LoadImageFile(shot.string());
    std::filesystem::remove(shot);
    const Bitmap& screen = image.bitmap;
    ASSERT_EQ(screen.Width(), 1280);
    ASSERT_EQ(screen.Height(), 1024);

    // The desktop shows at the corners; the window's client area (button face) at the centre.
    PixelBGRA desktop = screen.Pixel(0, 0);
    EXPECT_EQ(screen.Pixel(1279, 1023), desktop);
    EXPECT_EQ(PixelToColor(screen.Pixel(640, 512)), RGB(0xF0, 0xF0, 0xF0));

    // Find the window's extent along the middle row and column: it is centred and its client
    // area is 659 x 533 inside a frame and a caption.
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

    // The caption carries dark text on its left part.
    int ink = 0;
    for (int y = top; y < top + 30; ++y)
        for (int x = left; x < left + 120; ++x)
            if (PixelR(screen.Pixel(x, y)) < 60 && PixelG(screen.Pixel(x, y)) < 60)
                ++ink;
    EXPECT_GT(ink, 40);
}

TEST(Program, UnwritableScreenshotIsAFailure)
{
    EXPECT_NE(RunProgram("LUMO_BACKEND=headless LUMO_SCREENSHOT=/proc/lumo-no-such-dir/x.png"), 0);
}
