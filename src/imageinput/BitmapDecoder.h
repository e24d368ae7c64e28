#pragma once

#include <cstdint>

#include "ByteSource.h"
#include "vellomar/RasterImage.h"

namespace vellomar::detail {

// Decodes the Windows bitmap file held by source, from its first byte. Empty data gives an
// Empty picture. maxPixels caps Width * Height. Throws EReadError, EInvalidGraphic, or
// std::bad_alloc when the picture does not fit in memory.
TRasterImage DecodeBitmap(TByteSource& source, std::uint64_t maxPixels);

} // namespace vellomar::detail
