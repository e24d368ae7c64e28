#include "vellomar/MaskLoading.h"

#include "vellomar/Messages.h"

namespace vellomar {

bool MaskWanted(const std::string& maskFileName, bool useMask) noexcept {
    return !maskFileName.empty() && useMask;
}

std::optional<TRasterImage> LoadMask(const std::string& maskFileName, const TRasterImage& image, IMessageBox& box) {
    TRasterImage mask;
    mask.LoadFromFile(maskFileName);
    if (mask.Empty()) {
        box.MessageBox(kCannotLoadMask, kErrorCaption, MB_OK + MB_ICONERROR);
        return std::nullopt;
    }
    if (mask.Width() != image.Width() || mask.Height() != image.Height()) {
        box.MessageBox(kMaskSizeDiffers, kErrorCaption, MB_OK + MB_ICONERROR);
        return std::nullopt;
    }
    return mask;
}

} // namespace vellomar
