// The public bitmap test suite: good files decode exactly as their reference renderings,
// questionable files decode as one of theirs or are refused, bad files are refused.
#include "tests/platform/image/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace platform::test {
namespace {

const std::string SuiteDir = SharedPath("testdata/bmpsuite/");

std::map<std::string, std::vector<std::string>> ReadPairs()
{
    std::map<std::string, std::vector<std::string>> pairs;
    std::ifstream in(SuiteDir + "reference/pairs.tsv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string bmp, reference;
        fields >> bmp;
        auto& references = pairs[bmp];
        while (fields >> reference)
            references.push_back(reference);
    }
    return pairs;
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(SuiteDir + folder))
        files.push_back(folder + "/" + entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

Bitmap Reference(const std::string& name)
{
    return DecodePng(ReadFile(SuiteDir + "reference/" + name)).bitmap;
}

TEST(BmpSuite, GoodFilesMatchTheirMainReference)
{
    auto pairs = ReadPairs();
    auto files = FilesIn("g");
    ASSERT_GE(files.size(), 27u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(pairs.count(file)) << "no reference listed";
        std::vector<std::string> references = pairs[file];
        DecodedImage image = DecodeBmp(ReadFile(SuiteDir + file));
        // This file's pixels are twice as wide as high; its main reference shows them stretched to
        // square, the next one shows the stored pixels, which is what a decoder delivers.
        std::string reference = file == "g/pal8nonsquare.bmp" ? references.at(1) : references.at(0);
        EXPECT_TRUE(SamePicture(image.bitmap, Reference(reference))) << "against " << reference;
        EXPECT_EQ(image.format, ImageFormat::Bmp);
    }
}

TEST(BmpSuite, QuestionableFilesMatchAListedReferenceOrAreRefused)
{
    auto pairs = ReadPairs();
    int decoded = 0;
    for (const std::string& file : FilesIn("q")) {
        SCOPED_TRACE(file);
        DecodedImage image;
        try {
            image = DecodeBmp(ReadFile(SuiteDir + file));
        } catch (const ImageError& e) {
            EXPECT_GT(std::string(e.what()).size(), 10u);
            continue;
        }
        ++decoded;
        if (file == "q/rgb24prof2.bmp") {
            // Colour profiles are not applied (as the platform's own bitmap loading does not): the
            // stored values come out whatever profile is embedded.
            Bytes plain = ReadFile(SuiteDir + file);
            const std::uint8_t srgb[] = {0x42, 0x47, 0x52, 0x73}; // the colour space field says sRGB
            std::copy(std::begin(srgb), std::end(srgb), plain.begin() + 14 + 56);
            std::fill(plain.begin() + 14 + 112, plain.begin() + 14 + 120, 0); // no profile data
            EXPECT_TRUE(SamePicture(image.bitmap, DecodeBmp(plain).bitmap));
            continue;
        }
        // 11-bit channels: exact rounding puts a few values one step away from the reference's.
        int tolerance = file == "q/rgb32-111110.bmp" ? 1 : 0;
        bool matched = false;
        for (const std::string& reference : pairs.at(file))
            if (reference.ends_with(".png"))
                matched = matched || SamePicture(image.bitmap, Reference(reference), tolerance);
        EXPECT_TRUE(matched) << "decoded, but matches none of its references";
    }
    EXPECT_GE(decoded, 30);
}

TEST(BmpSuite, BadFilesAreRefusedWithAReason)
{
    auto files = FilesIn("b");
    ASSERT_GE(files.size(), 20u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        try {
            DecodeBmp(ReadFile(SuiteDir + file));
            ADD_FAILURE() << "decoded";
        } catch (const ImageError& e) {
            EXPECT_GT(std::string(e.what()).size(), 10u);
        }
    }
}

// Every prefix of a file is refused or, when only the end-of-bitmap marker is cut, gives the
// whole picture; none reads past its end (the sanitizer build checks that).
TEST(BmpSuite, TruncatedFilesAreRefused)
{
    for (const char* name : {"g/pal4rle.bmp", "g/pal8rle.bmp", "g/pal8os2.bmp", "g/rgb16-565.bmp", "g/pal8v5.bmp",
                             "q/rgba32abf.bmp", "g/pal1.bmp"}) {
        SCOPED_TRACE(name);
        Bytes whole = ReadFile(SuiteDir + name);
        Bitmap full = DecodeBmp(whole).bitmap;
        int refused = 0;
        for (std::size_t length = 0; length < whole.size(); ++length) {
            Bytes prefix(whole.begin(), whole.begin() + std::ptrdiff_t(length));
            // Also with the file size field made to agree, so that the pixel data is what runs short.
            if (length >= 6)
                std::fill(prefix.begin() + 2, prefix.begin() + 6, 0);
            try {
                EXPECT_TRUE(SamePicture(DecodeBmp(prefix).bitmap, full)) << "length " << length;
            } catch (const ImageError&) {
                ++refused;
            }
        }
        EXPECT_GE(refused, int(whole.size()) - 2);
    }
}

} // namespace
} // namespace platform::test
