#pragma once

#include <string_view>

namespace vellomar {

// Append-only sink for output lines. The writer hands each line over as a view of its own
// reused buffer, valid only during the call: a sink copies what it keeps and nothing more, so
// a file sink can stream bytes out and a view sink can batch them without a copy of the whole text.
class TOutputLines {
public:
    virtual ~TOutputLines() = default;
    // One line of 7-bit ASCII without a line break.
    virtual void Add(std::string_view line) = 0;
};

} // namespace vellomar
