#include "OutputFile.h"

#include <string>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTextBlock>
#include <QTextDocument>

#include "vellomar/LineFileWriter.h"

namespace vellomar {

namespace {

// The block's text as bytes: a plain narrowing for ASCII, the common case, without a temporary.
// Both loops are branch-free so that the compiler vectorises them.
void BlockBytes(const QString& text, std::string& out) {
    const auto size = static_cast<std::size_t>(text.size());
    const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
    char16_t all = 0;
    for (std::size_t i = 0; i < size; ++i)
        all = static_cast<char16_t>(all | in[i]);
    if (all < 0x80) {
        out.resize(size);
        for (std::size_t i = 0; i < size; ++i)
            out[i] = static_cast<char>(in[i]);
        return;
    }
    QString copy = text;
    copy.replace(QChar::LineSeparator, QLatin1Char('\n')); // a soft break inside the line
    const QByteArray local = copy.toLocal8Bit();
    out.assign(local.constData(), static_cast<std::size_t>(local.size()));
}

} // namespace

TSaveResult WriteOutputFile(const QString& fileName, const QTextDocument& lines) {
    TLineFileWriter writer;
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

} // namespace vellomar
