#include "MemoOutputLines.h"

#include <QPlainTextEdit>
#include <QString>
#include <QTextDocument>

namespace vellomar {

namespace {
constexpr std::size_t kBatchLines = 4096;
}

TMemoOutputLines::TMemoOutputLines(QPlainTextEdit& view)
    : view_(view), cursor_(view.document()), undoWasEnabled_(view.document()->isUndoRedoEnabled()) {
    view_.document()->setUndoRedoEnabled(false);
    cursor_.movePosition(QTextCursor::End);
    cursor_.beginEditBlock();
}

TMemoOutputLines::~TMemoOutputLines() {
    // After a failure part-way the lines gathered so far still reach the view where memory allows.
    try {
        Flush();
    } catch (...) {
    }
    cursor_.endEditBlock();
    view_.document()->setUndoRedoEnabled(undoWasEnabled_);
}

void TMemoOutputLines::Add(std::string_view line) {
    // Every line is followed by a break, so the view's text ends in one and Save reads back
    // exactly these lines.
    batch_.append(line);
    batch_.push_back('\n');
    if (++batchLines_ == kBatchLines)
        Flush();
}

void TMemoOutputLines::Flush() {
    if (batch_.empty())
        return;
    // The encoder writes 7-bit ASCII, so Latin-1 decoding is exact and the fastest.
    cursor_.insertText(QString::fromLatin1(batch_.data(), static_cast<qsizetype>(batch_.size())));
    batch_.clear();
    batchLines_ = 0;
}

} // namespace vellomar
