// Loading skins: a package skin of about 350 KB through the manager, and reading a 2,000-line
// options text into the lookups.
#include "skin/manager/TsSkinManager.h"
#include "skin/options/SkinIniFile.h"
#include "skin/options/SkinLookups.h"
#include "skin/package/PackageWriter.h"

#include "platform/image/Image.h"
#include "platform/backend/headless/HeadlessBackend.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// Sections of the usual kinds, each with colours, gradients and image elements, until the text has
// the requested number of lines.
std::string OptionsText(int lines, int images)
{
    std::string text = "[GLOBALINFO]\r\nMASTERBITMAP=Master.bmp\r\nVERSION=8.00\r\nCOLOR=15790320\r\nFONTCOLOR=0\r\n"
                       "BICONCLOSE=@0001@0001@0091@0021@3@0\r\nBICONMAX=@0100@0001@0190@0021@3@0\r\n"
                       "BICONCLOSEGLOW=1\r\nBICONCLOSEGLOW0=!GLOW0.PNG!1!0!3!0010!0010!0010!0010!1\r\n";
    int count = 9;
    for (int s = 0; count < lines; ++s) {
        const std::string name = s == 0 ? "BUTTON" : "SECTION" + std::to_string(s);
        text += "[" + name + "]\r\n";
        auto line = [&](const std::string& l) {
            text += l + "\r\n";
            ++count;
        };
        ++count;
        if (s > 0)
            line("PARENTCLASS=" + std::string(s % 3 == 0 ? "BUTTON" : "SECTION" + std::to_string(s - 1)));
        line("STATES=3");
        line("USESTATE2=1");
        line("COLOR=" + std::to_string(100000 + s));
        line("HOTCOLOR=" + std::to_string(200000 + s));
        line("COLOR2=" + std::to_string(300000 + s));
        line("FONTCOLOR=0");
        line("GRADIENTPERCENT=60");
        line("GRADIENTDATA=15921906;15527148;50;0;0;15527148;14408667;1;0;0");
        line("HOTGRADIENTDATA=16777215;15527148;50;0;0;15527148;14408667;1;0;0");
        char mask[64];
        std::snprintf(mask, sizeof mask, "^%04d^%04d^%04d^%04d^0003^0003^0003^0003^3^1^1^0", (s * 37) % 540,
                      (s * 23) % 400, (s * 37) % 540 + 90, (s * 23) % 400 + 40);
        line(std::string("BORDERSMASK=") + mask);
        line("PATTERN=~0000~0400~0032~0432~00~0");
        line("HOTPATTERN=!IMG" + std::to_string(s % images) + ".PNG!1!0!1");
        line("GLOW=1");
        line("GLYPHMASK=@0200@0000@0236@0012@3@1");
    }
    return text;
}

std::vector<std::uint8_t> PackageOf350K()
{
    std::mt19937 random(7);
    platform::Bitmap master(640, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            // Smooth art with some grain, so that the package compresses as real skins do.
            const int grain = (x % 6 == 0) ? int(random() % 12) : 0;
            master.SetPixel(x, y, platform::MakePixel(platform::BYTE((x / 3 + grain) & 0xFF),
                                                      platform::BYTE((y / 2 + grain) & 0xFF),
                                                      platform::BYTE(((x + y) / 5) & 0xFF)));
        }
    std::vector<skin::PackageMember> members;
    members.push_back({"Options.dat", Bytes(OptionsText(1500, 11))});
    members.push_back({"Master.bmp", platform::EncodeBmp(master)});
    for (int i = 0; i < 12; ++i) {
        platform::Bitmap image(48 + i * 4, 48);
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                image.SetPixel(x, y, platform::MakePixel(platform::BYTE(x * 5), platform::BYTE(y * 5),
                                                         platform::BYTE(i * 20), platform::BYTE(128 + (x + y) % 128)));
        const std::string name = i == 11 ? "Glow0.png" : "img" + std::to_string(i) + ".png";
        members.push_back({name, platform::EncodePng(image)});
    }
    return skin::WritePackage(members);
}

void BM_LoadPackageSkinThroughTheManager(benchmark::State& state)
{
    platform::headless::Reset();
    skin::SkinManagerHost host;
    host.ShowMessage = [](const std::string& text, platform::UINT) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return 1;
    };
    skin::TsSkinManager manager(host);
    skin::TsStoredSkin item;
    item.Name = u"Bench (internal)";
    item.PackedData = PackageOf350K();
    const std::size_t size = item.PackedData.size();
    manager.InternalSkins().Add(std::move(item));
    for (auto _ : state) {
        manager.SetSkinName(u"Bench (internal)");
        benchmark::DoNotOptimize(manager.Model());
    }
    if (!manager.Model() || manager.Model()->ma.size() < 200)
        state.SkipWithError("the skin did not load");
    state.counters["package_bytes"] = double(size);
    state.counters["elements"] = double(manager.Model() ? manager.Model()->ma.size() : 0);
    state.counters["sections"] = double(manager.Model() ? manager.Model()->gd.size() : 0);
}
BENCHMARK(BM_LoadPackageSkinThroughTheManager)->Unit(benchmark::kMillisecond);

void BM_ReadOptionsTextIntoTheLookups(benchmark::State& state)
{
    const std::string text = OptionsText(2000, 11);
    for (auto _ : state) {
        skin::SkinIniFile ini(text);
        benchmark::DoNotOptimize(skin::FindInteger(ini, "SECTION100", "COLOR", 0));
    }
    state.counters["lines"] = 2000;
}
BENCHMARK(BM_ReadOptionsTextIntoTheLookups)->Unit(benchmark::kMicrosecond);

} // namespace
