#include "OutputFile.h"

#include <string>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTextBlock>
#include <QTextDocument>

#include "vellomar/LineFileWriter.h"

namespace {

// The block's text as bytes: a plain narrowing for ASCII, the common case, without a temporary.
void BlockBytes(const QString& text, std::string& out) {
    out.resize(static_cast<std::size_t>(text.size()));
    const QChar* in = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = in[i].unicode();
        if (c >= 0x80) {
            QString copy = text;
            copy.replace(QChar::LineSeparator, QLatin1Char('\n')); // a soft break inside the line
            const QByteArray local = copy.toLocal8Bit();
            out.assign(local.constData(), static_cast<std::size_t>(local.size()));
            return;
        }
        out[static_cast<std::size_t>(i)] = static_cast<char>(c);
    }
}

} // namespace

TSaveResult WriteOutputFile(const QString& fileName, const QTextDocument& lines) {
    vellomar::TLineFileWriter writer;
    if (!writer.Open(QFile::encodeName(fileName).toStdString()))
        return TSaveResult::CannotCreate;
    std::string bytes;
    for (QTextBlock block = lines.begin(); block.isValid() && !writer.Failed(); block = block.next()) {
        const QString text = block.text();
        if (text.isEmpty() && !block.next().isValid())
            break; // the empty piece after the last break is no line
        BlockBytes(text, bytes);
        writer.WriteLine(bytes);
    }
    return writer.Close() ? TSaveResult::Saved : TSaveResult::CannotWrite;
}
