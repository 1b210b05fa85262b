// Layout constants of Windows bitmap files, shared by the bitmap reader and writer.
#pragma once

#include "platform/core/Types.h"

namespace platform::bmp {

constexpr WORD BFT_BITMAP = 0x4D42; // "BM"
constexpr DWORD FILE_HEADER_SIZE = 14;

// Information header sizes.
constexpr DWORD BITMAPCOREHEADER_SIZE = 12;
constexpr DWORD OS22XBITMAPHEADER_MIN_SIZE = 16;
constexpr DWORD BITMAPINFOHEADER_SIZE = 40;
constexpr DWORD BITMAPV2INFOHEADER_SIZE = 52;
constexpr DWORD BITMAPV3INFOHEADER_SIZE = 56;
constexpr DWORD OS22XBITMAPHEADER_SIZE = 64;
constexpr DWORD BITMAPV4HEADER_SIZE = 108;
constexpr DWORD BITMAPV5HEADER_SIZE = 124;

// Compression values.
constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;
constexpr DWORD BI_JPEG = 4;
constexpr DWORD BI_PNG = 5;
constexpr DWORD BI_ALPHABITFIELDS = 6;
// The same numbers mean something else under an OS/2 version 2 header.
constexpr DWORD BCA_HUFFMAN1D = 3;
constexpr DWORD BCA_RLE24 = 4;

constexpr DWORD LCS_sRGB = 0x73524742; // 'sRGB'
constexpr DWORD LCS_GM_IMAGES = 4;

} // namespace platform::bmp
