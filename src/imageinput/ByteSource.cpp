#include "ByteSource.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "vellomar/BitmapErrors.h"

namespace vellomar::detail {

bool TByteSource::Read(std::uint8_t* dst, std::size_t n) {
    if (Ensure(n) < n)
        return false;
    std::memcpy(dst, Data(), n);
    Consume(n);
    return true;
}

std::uint64_t TByteSource::Skip(std::uint64_t n) {
    std::uint64_t skipped = 0;
    while (skipped < n) {
        const std::size_t have = Ensure(kMaxRequest);
        if (have == 0)
            break;
        const auto step = static_cast<std::size_t>(std::min<std::uint64_t>(have, n - skipped));
        Consume(step);
        skipped += step;
    }
    return skipped;
}

TMemorySource::TMemorySource(std::span<const std::uint8_t> data) {
    SetSize(data.size());
    SetWindow(data.data(), data.data() + data.size(), data.size());
}

TFileSource::TFileSource(const std::string& fileName) : file_(std::fopen(fileName.c_str(), "rb")) {
    // A folder opens on some systems and fails only when read; pipes and devices have no length
    // to check sizes against. Neither is a file this loader can read.
    struct stat info {};
    if (!file_ || fstat(fileno(file_.get()), &info) != 0 || !S_ISREG(info.st_mode))
        throw EFOpenError(fileName);
    // Our own buffer does the chunking; a second one inside stdio would only copy.
    std::setvbuf(file_.get(), nullptr, _IONBF, 0);
    const auto size = static_cast<std::uint64_t>(info.st_size);
    SetSize(size);
    buffer_.resize(static_cast<std::size_t>(std::clamp<std::uint64_t>(size, kMaxRequest, kChunk)));
    SetWindow(buffer_.data(), buffer_.data(), 0);
}

std::size_t TFileSource::Refill(std::size_t n) {
    const std::size_t kept = Buffered();
    std::memmove(buffer_.data(), Data(), kept);
    std::size_t filled = kept;
    std::uint64_t fileOffset = Position() + kept;
    // Never past the length measured at open, so Position() <= Size() even if the file grows.
    const auto room = static_cast<std::size_t>(
        std::min<std::uint64_t>(buffer_.size() - kept, Size() - std::min(Size(), fileOffset)));
    const std::size_t target = kept + room;
    while (filled < target) {
        const std::size_t got = std::fread(buffer_.data() + filled, 1, target - filled, file_.get());
        filled += got;
        fileOffset += got;
        if (got == 0) {
            if (std::ferror(file_.get()))
                throw EReadError();
            break; // shorter than measured: it shrank while open; callers see the end of data
        }
        if (filled >= n)
            break;
    }
    SetWindow(buffer_.data(), buffer_.data() + filled, fileOffset);
    return filled;
}

} // namespace vellomar::detail
