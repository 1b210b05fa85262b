// PNG through libpng. libpng reports errors by longjmp, so every call into it happens in a
// function that holds no object with a destructor; those functions return an error text, and
// only their callers throw.
#include "platform/image/Image.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace platform {

namespace {

constexpr std::size_t MessageSize = 200;

struct PngSession {
    png_structp png = nullptr;
    png_infop info = nullptr;
    char message[MessageSize] = {};
};

void KeepMessage(char* buffer, const char* text)
{
    std::strncpy(buffer, text ? text : "unknown error", MessageSize - 1);
    buffer[MessageSize - 1] = '\0';
}

extern "C" void OnPngError(png_structp png, png_const_charp text)
{
    auto* session = static_cast<PngSession*>(png_get_error_ptr(png));
    KeepMessage(session->message, text);
    png_longjmp(png, 1);
}

extern "C" void OnPngWarning(png_structp, png_const_charp) {}

// ---- reading

struct PngSource {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t pos = 0;
};

extern "C" void ReadFromMemory(png_structp png, png_bytep out, png_size_t count)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > source->size - source->pos)
        png_error(png, "the file is truncated");
    std::memcpy(out, source->data + source->pos, count);
    source->pos += count;
}

struct PngHeader {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int channels = 0;
    bool hasTransparency = false;
    png_size_t rowBytes = 0;
};

// Reads up to the image data and sets the transformations that give 8-bit BGRA rows.
bool ReadPngHeader(PngSession* session, PngSource* source, PngHeader* header)
{
    if (setjmp(png_jmpbuf(session->png)))
        return false;
    png_set_read_fn(session->png, source, ReadFromMemory);
    png_set_user_limits(session->png, Bitmap::MaxSide, Bitmap::MaxSide);
    png_set_chunk_cache_max(session->png, 1000);
    png_set_chunk_malloc_max(session->png, 8 * 1024 * 1024);
    png_read_info(session->png, session->info);

    header->width = png_get_image_width(session->png, session->info);
    header->height = png_get_image_height(session->png, session->info);
    header->bitDepth = png_get_bit_depth(session->png, session->info);
    header->colorType = png_get_color_type(session->png, session->info);
    header->channels = png_get_channels(session->png, session->info);
    header->hasTransparency = (header->colorType & PNG_COLOR_MASK_ALPHA) ||
                              png_get_valid(session->png, session->info, PNG_INFO_tRNS);
    if (!Bitmap::SizeAcceptable(header->width, header->height))
        return true; // the caller refuses before anything large is allocated

    png_set_expand(session->png);
    png_set_scale_16(session->png);
    png_set_gray_to_rgb(session->png);
    png_set_add_alpha(session->png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(session->png);
    png_set_interlace_handling(session->png);
    png_read_update_info(session->png, session->info);
    header->rowBytes = png_get_rowbytes(session->png, session->info);
    return true;
}

bool ReadPngRows(PngSession* session, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(session->png)))
        return false;
    png_read_image(session->png, rows);
    return true;
}

// ---- writing

struct PngSink {
    std::vector<std::uint8_t>* out = nullptr;
    bool failed = false;
};

extern "C" void WriteToMemory(png_structp png, png_bytep data, png_size_t count)
{
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    try {
        sink->out->insert(sink->out->end(), data, data + count);
    } catch (...) {
        sink->failed = true;
    }
    if (sink->failed)
        png_error(png, "out of memory");
}

extern "C" void FlushMemory(png_structp) {}

bool WritePng(PngSession* session, PngSink* sink, const Bitmap* bitmap, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(session->png)))
        return false;
    png_set_write_fn(session->png, sink, WriteToMemory, FlushMemory);
    png_set_IHDR(session->png, session->info, png_uint_32(bitmap->Width()), png_uint_32(bitmap->Height()), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(session->png, session->info);
    png_set_bgr(session->png);
    png_write_image(session->png, rows);
    png_write_end(session->png, session->info);
    return true;
}

class ReadSession {
public:
    ReadSession()
    {
        session_.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &session_, OnPngError, OnPngWarning);
        if (session_.png)
            session_.info = png_create_info_struct(session_.png);
        if (!session_.png || !session_.info)
            throw ImageError("PNG: cannot start the decoder");
    }
    ~ReadSession() { png_destroy_read_struct(&session_.png, &session_.info, nullptr); }
    ReadSession(const ReadSession&) = delete;
    ReadSession& operator=(const ReadSession&) = delete;
    PngSession* Get() { return &session_; }

private:
    PngSession session_;
};

class WriteSession {
public:
    WriteSession()
    {
        session_.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &session_, OnPngError, OnPngWarning);
        if (session_.png)
            session_.info = png_create_info_struct(session_.png);
        if (!session_.png || !session_.info)
            throw ImageError("PNG: cannot start the encoder");
    }
    ~WriteSession() { png_destroy_write_struct(&session_.png, &session_.info); }
    WriteSession(const WriteSession&) = delete;
    WriteSession& operator=(const WriteSession&) = delete;
    PngSession* Get() { return &session_; }

private:
    PngSession session_;
};

} // namespace

DecodedImage DecodePng(std::span<const std::uint8_t> data)
{
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0)
        throw ImageError("not a PNG picture (bad signature)");
    ReadSession session;
    PngSource source{data.data(), data.size(), 0};
    PngHeader header;
    if (!ReadPngHeader(session.Get(), &source, &header))
        throw ImageError(std::string("PNG: ") + session.Get()->message);
    if (!Bitmap::SizeAcceptable(header.width, header.height))
        throw ImageError("a picture of " + std::to_string(header.width) + " x " + std::to_string(header.height) +
                         " pixels is too large");
    if (header.rowBytes != png_size_t(header.width) * 4)
        throw ImageError("PNG: unexpected row layout after conversion");

    DecodedImage out;
    out.format = ImageFormat::Png;
    out.bitsPerPixel = header.channels * header.bitDepth;
    out.hasAlpha = header.hasTransparency;
    out.bitmap = Bitmap(int(header.width), int(header.height));
    std::vector<png_bytep> rows(header.height);
    for (png_uint_32 y = 0; y < header.height; ++y)
        rows[y] = reinterpret_cast<png_bytep>(out.bitmap.ScanLine(int(y)));
    if (!ReadPngRows(session.Get(), rows.data()))
        throw ImageError(std::string("PNG: ") + session.Get()->message);
    return out;
}

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap)
{
    if (bitmap.IsEmpty())
        throw ImageError("an empty picture cannot be written as PNG");
    WriteSession session;
    std::vector<std::uint8_t> out;
    PngSink sink{&out, false};
    std::vector<png_bytep> rows(std::size_t(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y)
        rows[std::size_t(y)] = reinterpret_cast<png_bytep>(const_cast<PixelBGRA*>(bitmap.ScanLine(y)));
    if (!WritePng(session.Get(), &sink, &bitmap, rows.data()))
        throw ImageError(std::string("PNG: ") + session.Get()->message);
    return out;
}

} // namespace platform
