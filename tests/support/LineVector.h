#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vellomar/OutputLines.h"

namespace vellomar::test {

// A sink that keeps every line, for comparing output.
class TLineVector : public TOutputLines {
public:
    void Add(std::string_view line) override { Lines.emplace_back(line); }
    std::vector<std::string> Lines;
};

} // namespace vellomar::test
