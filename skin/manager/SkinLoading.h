// Loading a resolved skin into a new model: opening the package or folder, the version check and
// the model build. The manager and the lumo-skin tool share it.
#pragma once

#include "skin/model/TsSkinModel.h"
#include "skin/package/SkinLocator.h"

#include "platform/core/Types.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace skin {

// A skin that cannot be loaded; what() is the text the user is shown.
class SkinLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SkinLoadMessages {
    // A box shown as a plain system dialog: the wrong-magic error and the version warning.
    std::function<void(const std::string& text)> ShowPlainError;
    std::function<void(const std::string& text)> ShowPlainWarning;
};

inline constexpr double NewestSupportedVersion = 11.99;
inline constexpr std::string_view VersionWarning =
    "This version of the skin has not complete support by used Velta package release.\r\n"
    "Components must be updated to latest version for using this skin.";

std::string InternalFormatErrorText(platform::StringView skinName);

// Loads the skin found by ResolveSkinName. Throws SkinLoadError, ConversionError, PackageError or
// platform::ImageError; nothing is kept from a failed load.
std::unique_ptr<TsSkinModel> LoadResolvedSkin(const ResolvedSkin& where, const TsStoredSkins& catalogue,
                                              platform::StringView fullSkinDirectory,
                                              const SkinLoadSettings& settings, const SkinLoadMessages& messages);

// Loads a skin from an options text with pictures from a folder (the live preview).
std::unique_ptr<TsSkinModel> LoadSkinFromText(std::string optionsText, platform::StringView folder,
                                              const SkinLoadSettings& settings, const SkinLoadMessages& messages);

} // namespace skin
