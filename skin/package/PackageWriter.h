// Writes skin packages in the format the reader takes: for tools, the skin generator and tests.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace skin {

struct PackageMember {
    std::string Name;
    std::vector<std::uint8_t> Content;
};

// Members are written in the given order, each compressed as one complete zlib stream.
std::vector<std::uint8_t> WritePackage(std::span<const PackageMember> members, int compressionLevel = 6);

} // namespace skin
