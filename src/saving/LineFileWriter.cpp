#include "vellomar/LineFileWriter.h"

#include <algorithm>
#include <cstring>

namespace vellomar {

namespace {
constexpr std::size_t kBufferSize = std::size_t{1} << 20;
constexpr char kCrLf[2] = {'\r', '\n'};
} // namespace

TLineFileWriter::TLineFileWriter() : buffer_(std::make_unique<char[]>(kBufferSize)) {}

TLineFileWriter::~TLineFileWriter() {
    if (file_ != nullptr)
        (void)Close();
}

bool TLineFileWriter::Open(const std::string& fileName) {
    // "wb" truncates an existing file in place rather than replacing it.
    std::FILE* f = std::fopen(fileName.c_str(), "wb");
    if (f == nullptr)
        return false;
    // Our own buffer already gathers large blocks; a second layer would only copy them again
    // and would hide a failed write until the closing.
    std::setvbuf(f, nullptr, _IONBF, 0);
    file_ = f;
    owned_ = true;
    failed_ = false;
    used_ = 0;
    return true;
}

void TLineFileWriter::Attach(std::FILE* stream) {
    file_ = stream;
    owned_ = false;
    failed_ = false;
    used_ = 0;
}

void TLineFileWriter::Put(const char* data, std::size_t size) {
    while (size > 0 && !failed_) {
        if (used_ == kBufferSize)
            Drain();
        const std::size_t n = std::min(size, kBufferSize - used_);
        std::memcpy(buffer_.get() + used_, data, n);
        used_ += n;
        data += n;
        size -= n;
    }
}

void TLineFileWriter::WriteLine(std::string_view line) {
    if (failed_)
        return;
    // A line feed inside the line becomes CR LF, like the line end itself.
    std::size_t start = 0;
    for (std::size_t lf = line.find('\n'); lf != std::string_view::npos; lf = line.find('\n', start)) {
        Put(line.data() + start, lf - start);
        Put(kCrLf, 2);
        start = lf + 1;
    }
    Put(line.data() + start, line.size() - start);
    Put(kCrLf, 2);
}

void TLineFileWriter::Drain() {
    if (used_ > 0 && !failed_ && std::fwrite(buffer_.get(), 1, used_, file_) != used_)
        failed_ = true;
    used_ = 0;
}

bool TLineFileWriter::Close() {
    if (file_ == nullptr)
        return !failed_;
    Drain();
    if (std::fflush(file_) != 0)
        failed_ = true;
    if (owned_ && std::fclose(file_) != 0)
        failed_ = true;
    else if (!owned_ && std::ferror(file_) != 0)
        failed_ = true;
    file_ = nullptr;
    return !failed_;
}

} // namespace vellomar
