#include "TestMedia.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace e2e {

namespace {

namespace fs = std::filesystem;

// 320 x 180 at 25 frames a second; a key frame every second keeps each segment playable alone.
std::string Inputs(double seconds)
{
    std::string d = std::to_string(seconds);
    return "-f lavfi -i 'color=c=red:s=320x180:r=25:d=" + d +
           ",drawbox=x=160:y=0:w=160:h=90:color=0x00FF00:t=fill"
           ",drawbox=x=0:y=90:w=160:h=90:color=0x0000FF:t=fill"
           ",drawbox=x=160:y=90:w=160:h=90:color=0xFFFF00:t=fill'"
           " -f lavfi -i 'sine=frequency=440:sample_rate=44100:duration=" + d + "'"
           " -c:v libx264 -profile:v baseline -pix_fmt yuv420p -g 25 -c:a aac -b:a 64k -shortest";
}

TestMedia Make(const std::string& output, const std::string& format)
{
    TestMedia media;
    char pattern[] = "/tmp/lumo-media-XXXXXX";
    if (!::mkdtemp(pattern)) {
        media.problem = "no temporary folder";
        return media;
    }
    fs::path folder = pattern;
    std::string command = "cd '" + folder.string() + "' && ffmpeg -nostdin -loglevel error -y " + format + " " +
                          output + " > ffmpeg.log 2>&1";
    if (std::system(command.c_str()) != 0) {
        std::ifstream log(folder / "ffmpeg.log");
        std::ostringstream text;
        text << log.rdbuf();
        media.problem = "ffmpeg failed (scripts/setup.sh installs it): " + text.str();
    }
    else {
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().filename() == "ffmpeg.log")
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            media.files[entry.path().filename().string()] = bytes.str();
        }
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return media;
}

} // namespace

TestMedia MakeHlsStream(double seconds)
{
    return Make("index.m3u8", Inputs(seconds) + " -f hls -hls_time 1 -hls_list_size 0 -hls_playlist_type vod");
}

TestMedia MakeMp4File(double seconds)
{
    return Make("clip.mp4", Inputs(seconds) + " -movflags +faststart -f mp4");
}

} // namespace e2e
