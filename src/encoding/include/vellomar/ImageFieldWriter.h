#pragma once

#include "vellomar/ConvertOptions.h"
#include "vellomar/OutputLines.h"
#include "vellomar/RasterImage.h"

namespace vellomar {

// Writes a picture as the lines of an SFImage field, in one of three framings.
class TImageFieldWriter {
public:
    // Appends every line, frame lines included, to output. mask is null or of the image's size.
    // Keeps no state between calls.
    static void Write(const TRasterImage& image, const TRasterImage* mask, const TConvertOptions& options,
                      TOutputLines& output);
};

} // namespace vellomar
