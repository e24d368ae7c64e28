#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <QTextCursor>

#include "vellomar/OutputLines.h"

class QPlainTextEdit;

namespace vellomar {

// Appends the encoder's lines to a text view in batches: one edit block, undo off, a few thousand
// lines per insertion. Appending line by line costs the view a layout pass each time and is two
// orders of magnitude slower on a large picture. Lines reach the view at the latest when Flush or
// the destructor runs.
class TMemoOutputLines : public TOutputLines {
public:
    explicit TMemoOutputLines(QPlainTextEdit& view);
    ~TMemoOutputLines() override;
    TMemoOutputLines(const TMemoOutputLines&) = delete;
    TMemoOutputLines& operator=(const TMemoOutputLines&) = delete;

    void Add(std::string_view line) override;
    void Flush();

private:
    QPlainTextEdit& view_;
    QTextCursor cursor_;
    bool undoWasEnabled_;
    std::string batch_;
    std::size_t batchLines_ = 0;
};

} // namespace vellomar
