#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "vellomar/OutputLines.h"

namespace vellomar {

// Writes text lines to a file, each followed by CR LF; a line feed inside a line is written as
// CR LF too, every other byte unchanged. Lines are gathered in a fixed buffer and written in large
// blocks, so neither the whole text nor a copy of it is ever held. Every failure of a write or of the
// closing is remembered and reported by Close, never lost.
class TLineFileWriter {
public:
    TLineFileWriter();
    ~TLineFileWriter(); // closes a file still open, ignoring the outcome
    TLineFileWriter(const TLineFileWriter&) = delete;
    TLineFileWriter& operator=(const TLineFileWriter&) = delete;

    // Opens fileName for writing: an existing file is cut to zero length in place, a missing one
    // is created. False when it cannot be opened; then nothing is written.
    bool Open(const std::string& fileName);
    // Writes to an already open stream (standard output) that Close flushes but does not close.
    void Attach(std::FILE* stream);

    // Appends one line and its line end. After a failure further lines are dropped.
    void WriteLine(std::string_view line);
    // Writes what is buffered and closes the file. True when every write and the closing succeeded.
    bool Close();

    bool Failed() const noexcept { return failed_; }

private:
    void Put(const char* data, std::size_t size);
    void Drain();

    std::FILE* file_ = nullptr;
    bool owned_ = false;
    bool failed_ = false;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

// Lets the encoder stream its lines straight into a TLineFileWriter.
class TLineFileSink : public TOutputLines {
public:
    explicit TLineFileSink(TLineFileWriter& writer) : writer_(writer) {}
    void Add(std::string_view line) override { writer_.WriteLine(line); }

private:
    TLineFileWriter& writer_;
};

} // namespace vellomar
