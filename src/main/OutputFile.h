#pragma once

class QString;
class QTextDocument;

namespace vellomar {

enum class TSaveResult { Saved, CannotCreate, CannotWrite };

// Writes the lines of a text view's document to fileName, each followed by CR LF: the text split
// at its line breaks, the piece after the last break counted only when it is not empty. ASCII goes
// out byte for byte, other characters in the locale's 8-bit encoding; a line separator inside a
// line is written as CR LF. An existing file is cut to zero length in place.
TSaveResult WriteOutputFile(const QString& fileName, const QTextDocument& lines);

} // namespace vellomar
