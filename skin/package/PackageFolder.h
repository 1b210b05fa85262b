// Converting between a skin folder and a skin package, for the skin tool.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace skin {

// Options.dat (found in any letter case) first, then every other file of the folder in name
// order. Packages (".vsz" in any case) and the file leaveOut (the package being written, which
// may lie in the folder) are never packed, so that packing again does not grow the package.
// Throws PackageError when the folder has no Options.dat.
std::vector<std::uint8_t> PackFolder(const std::string& folderNative, const std::string& leaveOut = {});

struct UnpackResult {
    std::vector<std::string> Written;  // the names of the files written, in member order
    std::vector<std::string> Problems; // what could not be written and why, one sentence each
};

// Writes the members of the package into the folder (created when missing). A member is skipped,
// with a problem saying so, when a file of its name in any letter case is in the folder already
// (the user's, or an earlier member's: skins find files ignoring case); a package without
// Options.dat is a problem too. Throws PackageError for a damaged package, a member name that is
// not a plain file name, or a folder that cannot be created or written.
UnpackResult UnpackPackage(std::span<const std::uint8_t> package, const std::string& folderNative);

} // namespace skin
