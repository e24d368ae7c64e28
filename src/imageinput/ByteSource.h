#pragma once

// The bytes a bitmap is decoded from: a window of buffered bytes over either a block of memory
// or a file read in bounded chunks. The decoder sees only this, so both entry points share it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace vellomar::detail {

class TByteSource {
public:
    // The most a caller may ask Ensure for at once; every source's window holds at least this.
    static constexpr std::size_t kMaxRequest = 4096;

    TByteSource(const TByteSource&) = delete;
    TByteSource& operator=(const TByteSource&) = delete;
    virtual ~TByteSource() = default;

    // Total length of the data, known before any byte is read.
    std::uint64_t Size() const noexcept { return size_; }
    // Offset of the next unread byte.
    std::uint64_t Position() const noexcept { return windowEnd_ - Buffered(); }
    std::uint64_t Remaining() const noexcept { return size_ - Position(); }

    // Makes at least n (<= kMaxRequest) bytes readable at Data(), fewer only where the data ends.
    // Returns Buffered().
    std::size_t Ensure(std::size_t n) {
        if (Buffered() >= n)
            return Buffered();
        return Refill(n);
    }
    const std::uint8_t* Data() const noexcept { return cur_; }
    std::size_t Buffered() const noexcept { return static_cast<std::size_t>(end_ - cur_); }
    // n <= Buffered().
    void Consume(std::size_t n) noexcept { cur_ += n; }

    // Copies n (<= kMaxRequest) bytes out; false, with nothing consumed, when the data ends first.
    bool Read(std::uint8_t* dst, std::size_t n);
    // Moves on by n bytes, or to the end when fewer remain; returns the number skipped.
    std::uint64_t Skip(std::uint64_t n);

protected:
    TByteSource() = default;
    // Sets the window [begin, end) whose last byte sits just before offset windowEnd.
    void SetWindow(const std::uint8_t* begin, const std::uint8_t* end, std::uint64_t windowEnd) noexcept {
        cur_ = begin;
        end_ = end;
        windowEnd_ = windowEnd;
    }
    void SetSize(std::uint64_t size) noexcept { size_ = size; }

private:
    // Brings more data into the window, keeping the unread bytes; returns Buffered().
    virtual std::size_t Refill(std::size_t n) = 0;

    const std::uint8_t* cur_ = nullptr;
    const std::uint8_t* end_ = nullptr;
    std::uint64_t windowEnd_ = 0;
    std::uint64_t size_ = 0;
};

// The whole block is the window: nothing is copied.
class TMemorySource final : public TByteSource {
public:
    explicit TMemorySource(std::span<const std::uint8_t> data);

private:
    std::size_t Refill(std::size_t) override { return Buffered(); }
};

// Reads the file through one buffer of kChunk bytes, so memory use does not grow with the file.
class TFileSource final : public TByteSource {
public:
    static constexpr std::size_t kChunk = std::size_t{1} << 20;

    // Throws EFOpenError when the name is not a regular file that can be opened for reading.
    explicit TFileSource(const std::string& fileName);

private:
    struct TCloser {
        void operator()(std::FILE* f) const noexcept { std::fclose(f); }
    };

    std::size_t Refill(std::size_t n) override;

    std::unique_ptr<std::FILE, TCloser> file_;
    std::vector<std::uint8_t> buffer_;
};

} // namespace vellomar::detail
