// The in-memory image of an opened skin package: the options text and the image members, each
// inflated in full.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// A package that cannot be read: truncated, a damaged zlib stream, sizes that disagree.
class PackageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TacImageItem {
    std::string FileName; // as stored, case kept
    bool IsBitmap = false; // the name ends with ".BMP" in any case
    std::vector<std::uint8_t> FileStream;
};

class TacSkinConvertor {
public:
    // The inflated Options.dat; none when the package has no such member.
    std::optional<std::vector<std::uint8_t>> Options;
    // The package bytes while they are being read; not owned.
    std::span<const std::uint8_t> PackedData;
    int ImageCount = 0;
    std::vector<TacImageItem> Files;

    void Clear();
    // The first image member whose upper-cased name equals upperName.
    const TacImageItem* FindFile(std::string_view upperName) const;
};

inline constexpr std::string_view PackageMagic = "VSzf";
inline constexpr std::string_view WrongMagicMessage = "Loaded data is not a packed Quillon file";

// Shows an error text to the user (a message box in the program, a line on a console in tools).
using ShowErrorFn = std::function<void(const std::string& text)>;

// Calls member with the name and the inflated content of each member of the package, in order.
// Wrong magic answers false before any call; any other damage throws PackageError.
using PackageMemberFn = std::function<void(std::string name, std::vector<std::uint8_t> content)>;
bool ForEachPackageMember(std::span<const std::uint8_t> package, const PackageMemberFn& member);

// Reads convertor.PackedData into Options, ImageCount and Files. Wrong magic: showError gets
// WrongMagicMessage and the result is false. Any other damage throws PackageError.
bool ExtractPackedData(TacSkinConvertor& convertor, const ShowErrorFn& showError);

// A missing file leaves the slot alone and answers false. Otherwise the slot is cleared (or
// created), filled from the file and true is answered; an unreadable file throws PackageError.
bool LoadSkinFromFile(const std::string& path, std::optional<TacSkinConvertor>& slot, const ShowErrorFn& showError);

} // namespace skin
