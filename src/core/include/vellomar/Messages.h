#pragma once

namespace vellomar {

// The program's own message texts, shown in error boxes captioned kErrorCaption.
inline constexpr const char* kErrorCaption = "Error";
inline constexpr const char* kCannotLoadBitmap = "Cannot load the bitmap";
inline constexpr const char* kCannotLoadMask = "Cannot load the mask";
inline constexpr const char* kMaskSizeDiffers = "Mask dimensions differ from image";
inline constexpr const char* kCannotCreateOutput = "Cannot create output file";
inline constexpr const char* kCannotWriteOutput = "Cannot write output file";

} // namespace vellomar
