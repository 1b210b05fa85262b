// Writers and their round trips, saving and loading files, choosing a decoder, and the skin
// engine's view of a picture.
#include "tests/platform/image/ImageTestSupport.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <sys/stat.h>

namespace platform::test {
namespace {

// Every alpha value, and colours that differ in every channel.
Bitmap Sample(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, MakePixel(BYTE(x * 7 + y), BYTE(y * 13), BYTE(x ^ y), BYTE(x * 17 + y * 31)));
    return bitmap;
}

TEST(ImageFile, WritersRoundTripExactly)
{
    for (auto [w, h] : {std::pair{1, 1}, std::pair{3, 2}, std::pair{17, 15}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        Bitmap bitmap = Sample(w, h);
        DecodedImage bmp = DecodeBmp(EncodeBmp(bitmap));
        EXPECT_EQ(bmp.bitmap, bitmap);
        EXPECT_EQ(bmp.bitsPerPixel, 32);
        EXPECT_TRUE(bmp.hasAlpha);
        DecodedImage png = DecodePng(EncodePng(bitmap));
        EXPECT_EQ(png.bitmap, bitmap);
        EXPECT_EQ(png.bitsPerPixel, 32);
    }
    // Straight alpha: a fully transparent pixel keeps its colour.
    Bitmap clear(1, 1);
    clear.SetPixel(0, 0, MakePixel(10, 20, 30, 0));
    EXPECT_EQ(DecodeBmp(EncodeBmp(clear)).bitmap, clear);
    EXPECT_EQ(DecodePng(EncodePng(clear)).bitmap, clear);
    EXPECT_THROW(EncodeBmp(Bitmap()), ImageError);
    EXPECT_THROW(EncodePng(Bitmap()), ImageError);
}

TEST(ImageFile, SavesReplaceAtomicallyAndLoadBack)
{
    std::string folder = TempFolder("save");
    Bitmap bitmap = Sample(5, 4);
    SavePng(Sample(2, 2), folder + "/a.png");
    SavePng(bitmap, folder + "/a.png"); // replaces the older file
    SaveBmp(bitmap, folder + "/a.bmp");
    EXPECT_EQ(LoadImageFile(folder + "/a.png").bitmap, bitmap);
    EXPECT_EQ(LoadImageFile(folder + "/a.bmp").bitmap, bitmap);
    // Nothing but the two pictures is left behind, and they honour the usual permissions.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++files;
        struct stat info {};
        ASSERT_EQ(::stat(entry.path().c_str(), &info), 0);
        EXPECT_TRUE(info.st_mode & S_IRGRP) << entry.path();
    }
    EXPECT_EQ(files, 2);
    std::filesystem::remove_all(folder);
}

TEST(ImageFile, FailuresNameTheFileAndTheReason)
{
    std::string folder = TempFolder("fail");
    auto message = [](auto action) {
        try {
            action();
        } catch (const ImageError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { SavePng(Sample(1, 1), folder + "/missing/x.png"); }),
              folder + "/missing/x.png: cannot create a file: No such file or directory");
    EXPECT_EQ(message([&] { LoadImageFile(folder + "/none.png"); }),
              folder + "/none.png: cannot open: No such file or directory");
    EXPECT_EQ(message([&] { LoadImageFile(folder); }), folder + ": not a regular file");
    WriteFile(folder + "/empty.bmp", {});
    EXPECT_EQ(message([&] { LoadImageFile(folder + "/empty.bmp"); }), folder + "/empty.bmp: the file is empty");
    WriteFile(folder + "/text.png", {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(message([&] { LoadImageFile(folder + "/text.png"); }),
              folder + "/text.png: not a BMP, PNG or JPEG picture");
    std::filesystem::remove_all(folder);
}

TEST(ImageFile, DecoderIsChosenByContentNotName)
{
    Bitmap bitmap = Sample(3, 3);
    Bytes png = EncodePng(bitmap), bmp = EncodeBmp(bitmap);
    EXPECT_EQ(SniffImageFormat(png), ImageFormat::Png);
    EXPECT_EQ(SniffImageFormat(bmp), ImageFormat::Bmp);
    EXPECT_EQ(SniffImageFormat(Bytes{0xFF, 0xD8, 0xFF, 0xE0}), ImageFormat::Jpeg);
    EXPECT_EQ(SniffImageFormat(Bytes{'B'}), ImageFormat::Unknown);
    EXPECT_EQ(DecodeImage(png).format, ImageFormat::Png);
    EXPECT_EQ(DecodeImage(bmp).bitmap, bitmap);
    EXPECT_THROW(DecodeBmp(png), ImageError);
    EXPECT_THROW(DecodePng(bmp), ImageError);
    EXPECT_THROW(DecodeJpeg(bmp), ImageError);
}

} // namespace
} // namespace platform::test
