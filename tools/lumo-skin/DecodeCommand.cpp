// lumo-skin decode: a picture as the skin engine loads it, written as PNG.
#include "tools/lumo-skin/Command.h"

#include "platform/image/Image.h"
#include "skin/model/SkinBitmap.h"

namespace lumoskin {

namespace {

int RunDecode(const std::vector<std::string>& arguments)
{
    std::vector<std::string> files = Positionals(arguments, 2);
    platform::Bitmap bitmap = skin::ToSkinBitmap(platform::LoadImageFile(files[0]));
    platform::SavePng(bitmap, files[1]);
    return 0;
}

} // namespace

const Command DecodeCommand{
    "decode",
    "IMAGE OUT.png",
    "decode a BMP, PNG or JPEG picture as the skin engine sees it",
    "Reads IMAGE (a Windows bitmap, PNG or JPEG picture, recognised by its content) the way the\n"
    "skin engine loads skin images and writes it to OUT.png as a 32-bit PNG with alpha. Pictures\n"
    "of 32 bits per pixel (bitmaps, and PNG pictures with transparency) keep their alpha; in any\n"
    "other picture every pixel is opaque except pure fuchsia (255, 0, 255), which is transparent.\n"
    "\n"
    "Exit status: 0 on success, 1 when IMAGE is refused or a file cannot be read or written,\n"
    "2 on wrong arguments.\n",
    RunDecode,
};

} // namespace lumoskin
