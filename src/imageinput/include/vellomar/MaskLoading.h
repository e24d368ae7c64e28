#pragma once

#include <optional>
#include <string>

#include "vellomar/MessageBox.h"
#include "vellomar/RasterImage.h"

namespace vellomar {

// True exactly when a mask name is given and the use-mask flag is set.
bool MaskWanted(const std::string& maskFileName, bool useMask) noexcept;

// Loads the mask for a loaded, non-Empty image. An Empty mask or one of another size is reported
// through box ("Cannot load the mask", "Mask dimensions differ from image") and gives none.
// Loader errors propagate.
std::optional<TRasterImage> LoadMask(const std::string& maskFileName, const TRasterImage& image, IMessageBox& box);

} // namespace vellomar
