#include "skin/package/PackageWriter.h"

#include "skin/package/TacSkinConvertor.h"

#include <zlib.h>

#include <limits>

namespace skin {

namespace {

void PutInt32(std::vector<std::uint8_t>& out, std::int64_t value)
{
    if (value < 0 || value > std::numeric_limits<std::int32_t>::max())
        throw PackageError("A skin package member is too large to be written");
    const auto v = std::uint32_t(value);
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
    out.push_back(std::uint8_t(v >> 16));
    out.push_back(std::uint8_t(v >> 24));
}

} // namespace

std::vector<std::uint8_t> WritePackage(std::span<const PackageMember> members, int compressionLevel)
{
    std::vector<std::uint8_t> out(PackageMagic.begin(), PackageMagic.end());
    PutInt32(out, std::int64_t(members.size()));
    for (const PackageMember& member : members) {
        PutInt32(out, std::int64_t(member.Name.size()));
        out.insert(out.end(), member.Name.begin(), member.Name.end());
        PutInt32(out, std::int64_t(member.Content.size()));
        uLongf bound = compressBound(uLong(member.Content.size()));
        const std::size_t start = out.size();
        out.resize(start + bound);
        if (compress2(out.data() + start, &bound, member.Content.data(), uLong(member.Content.size()),
                      compressionLevel) != Z_OK)
            throw PackageError("Cannot compress the member \"" + member.Name + "\"");
        out.resize(start + bound);
    }
    return out;
}

} // namespace skin
