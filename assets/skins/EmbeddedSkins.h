// The internal skins' packages, generated from assets/skins/styles.tsv at build time and embedded
// in the program, in catalogue order.
#pragma once

#include "skin/package/InternalSkins.h"

#include <cstdint>
#include <span>

namespace assets {

std::span<const skin::InternalSkinPackage> EmbeddedSkinPackages();

} // namespace assets
