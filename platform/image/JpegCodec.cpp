// JPEG through libjpeg-turbo: baseline and progressive, greyscale, colour and CMYK, decoded
// straight to blue, green, red, alpha rows. The library reports errors by longjmp, so the calls
// into it live in functions that hold no object with a destructor.
#include "platform/image/Image.h"
#include "platform/graphics/PixelAlpha.h"

#include <cstdio> // jpeglib.h needs FILE
#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

namespace platform {

namespace {

// Progressive files may hold any number of scans; past this many a file is taken as hostile.
constexpr int MaxScans = 1000;
constexpr long MaxDecoderMemory = 1024L * 1024 * 1024;

struct JpegSession {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    bool created = false;
    char message[JMSG_LENGTH_MAX] = {};
};

JpegSession* SessionOf(j_common_ptr cinfo)
{
    return static_cast<JpegSession*>(cinfo->client_data);
}

extern "C" void OnJpegErrorExit(j_common_ptr cinfo)
{
    JpegSession* session = SessionOf(cinfo);
    (*cinfo->err->format_message)(cinfo, session->message);
    std::longjmp(session->jump, 1);
}

// A file that ends early is refused; the library would fill the rest with grey.
extern "C" void OnJpegMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        OnJpegErrorExit(cinfo);
}

extern "C" void OnJpegProgress(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor)
        return;
    auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (dinfo->input_scan_number > MaxScans) {
        JpegSession* session = SessionOf(cinfo);
        std::snprintf(session->message, sizeof session->message, "more than %d scans", MaxScans);
        std::longjmp(session->jump, 1);
    }
}

struct JpegHeader {
    JDIMENSION width = 0;
    JDIMENSION height = 0;
    int components = 0;
    bool cmyk = false;
};

bool ReadJpegHeader(JpegSession* session, const unsigned char* data, unsigned long size, JpegHeader* header)
{
    session->cinfo.err = jpeg_std_error(&session->errors);
    session->errors.error_exit = OnJpegErrorExit;
    session->errors.emit_message = OnJpegMessage;
    session->cinfo.client_data = session;
    if (setjmp(session->jump))
        return false;
    jpeg_create_decompress(&session->cinfo);
    session->created = true;
    session->cinfo.mem->max_memory_to_use = MaxDecoderMemory;
    session->progress.progress_monitor = OnJpegProgress;
    session->cinfo.progress = &session->progress;
    jpeg_mem_src(&session->cinfo, data, size);
    jpeg_read_header(&session->cinfo, TRUE);

    header->width = session->cinfo.image_width;
    header->height = session->cinfo.image_height;
    header->components = session->cinfo.num_components;
    header->cmyk = session->cinfo.jpeg_color_space == JCS_CMYK || session->cinfo.jpeg_color_space == JCS_YCCK;
    session->cinfo.out_color_space = header->cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    return true;
}

// Adobe's writers store CMYK inverted (255 is no ink); others store ink amounts.
void CmykToBgra(const unsigned char* cmyk, unsigned char* bgra, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x) {
        unsigned c = cmyk[4 * x], m = cmyk[4 * x + 1], yel = cmyk[4 * x + 2], k = cmyk[4 * x + 3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            yel = 255 - yel;
            k = 255 - k;
        }
        bgra[4 * x] = MulDiv255(yel, k);
        bgra[4 * x + 1] = MulDiv255(m, k);
        bgra[4 * x + 2] = MulDiv255(c, k);
        bgra[4 * x + 3] = 255;
    }
}

bool ReadJpegRows(JpegSession* session, unsigned char* pixels, std::size_t rowBytes, unsigned char* cmykRow)
{
    if (setjmp(session->jump))
        return false;
    j_decompress_ptr cinfo = &session->cinfo;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_components != 4) {
        std::snprintf(session->message, sizeof session->message, "unexpected output layout");
        return false;
    }
    while (cinfo->output_scanline < cinfo->output_height) {
        unsigned char* row = pixels + std::size_t(cinfo->output_scanline) * rowBytes;
        JSAMPROW target = cmykRow ? cmykRow : row;
        if (jpeg_read_scanlines(cinfo, &target, 1) != 1) {
            std::snprintf(session->message, sizeof session->message, "the decoder stopped early");
            return false;
        }
        if (cmykRow)
            CmykToBgra(cmykRow, row, cinfo->output_width, cinfo->saw_Adobe_marker);
    }
    return true;
}

class DecompressSession {
public:
    DecompressSession() = default;
    ~DecompressSession()
    {
        if (session_.created)
            jpeg_destroy_decompress(&session_.cinfo);
    }
    DecompressSession(const DecompressSession&) = delete;
    DecompressSession& operator=(const DecompressSession&) = delete;
    JpegSession* Get() { return &session_; }

private:
    JpegSession session_{};
};

} // namespace

DecodedImage DecodeJpeg(std::span<const std::uint8_t> data)
{
    if (data.size() < 3 || data[0] != 0xFF || data[1] != 0xD8 || data[2] != 0xFF)
        throw ImageError("not a JPEG picture (bad signature)");
    DecompressSession session;
    JpegHeader header;
    if (!ReadJpegHeader(session.Get(), data.data(), static_cast<unsigned long>(data.size()), &header))
        throw ImageError(std::string("JPEG: ") + session.Get()->message);
    if (!Bitmap::SizeAcceptable(header.width, header.height))
        throw ImageError("a picture of " + std::to_string(header.width) + " x " + std::to_string(header.height) +
                         " pixels is too large");

    DecodedImage out;
    out.format = ImageFormat::Jpeg;
    out.bitsPerPixel = header.components * 8;
    out.hasAlpha = false;
    out.bitmap = Bitmap(int(header.width), int(header.height));
    std::vector<unsigned char> cmykRow(header.cmyk ? std::size_t(header.width) * 4 : 0);
    auto* pixels = reinterpret_cast<unsigned char*>(out.bitmap.Data());
    if (!ReadJpegRows(session.Get(), pixels, std::size_t(header.width) * 4, header.cmyk ? cmykRow.data() : nullptr))
        throw ImageError(std::string("JPEG: ") + session.Get()->message);
    return out;
}

} // namespace platform
