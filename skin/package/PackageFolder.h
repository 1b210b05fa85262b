// Converting between a skin folder and a skin package, for the skin tool.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace skin {

// Options.dat (found in any letter case) first, then every other file of the folder in name
// order. Throws PackageError when the folder has no Options.dat.
std::vector<std::uint8_t> PackFolder(const std::string& folderNative);

// Writes every member of the package into the folder (created when missing) and answers the
// names written. Throws PackageError for a damaged package or a member name that is not a plain
// file name.
std::vector<std::string> UnpackPackage(std::span<const std::uint8_t> package, const std::string& folderNative);

} // namespace skin
