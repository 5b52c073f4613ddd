#include "model/fract_file.h"

#include "model/number_text.h"
#include "model/regular_file.h"
#include "model/text_lines.h"

#include <QFile>

#include <utility>


void ReadFractText(std::string text, const FractFileTarget& target)
{
    TextLineReader reader(std::move(text));
    const auto depth = ParseInteger(reader.ReadLine());
    // A deeper expansion than the program offers only exhausts time and memory.
    if (!depth || *depth < kMinFileDepth || *depth > kMaxFileDepth)
        throw FractFormatError("bad depth line");
    target.SetDepth(*depth);
    const auto lines = ParseFileBoolean(reader.ReadLine());
    if (!lines)
        throw FractFormatError("bad display mode line");
    target.SetLines(*lines);
    target.Generator.LoadFromText(reader);
}

void ReadFractFile(const QString& path, const FractFileTarget& target)
{
    QFile file;
    QString reason;
    if (!OpenRegularFile(file, path, reason))
        throw FractFormatError(reason.toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FractFormatError(file.errorString().toStdString());
    ReadFractText(bytes.toStdString(), target);
}

namespace {

FractFileTarget DocumentTarget(FractDocument& document, FractModel& generator)
{
    return {[&document](int depth) { document.Depth = depth; }, [&document](bool lines) { document.Lines = lines; },
            generator};
}

} // namespace

FractDocument LoadFractDocument(const QString& path, FractModel& generator)
{
    FractDocument document;
    ReadFractFile(path, DocumentTarget(document, generator));
    return document;
}

FractDocument ReadFractDocument(std::string text, FractModel& generator)
{
    FractDocument document;
    ReadFractText(std::move(text), DocumentTarget(document, generator));
    return document;
}

std::string FractFileText(int depth, bool lines, const FractModel& generator, char separator)
{
    std::string text = std::to_string(depth) + "\r\n" + (lines ? "-1" : "0") + "\r\n";
    generator.SaveToText(text, separator);
    return text;
}

void WriteFractFile(PendingFile& file, const std::string& text)
{
    WritePendingFile(file, [&text](QIODevice& out) { WriteAll(out, text.data(), static_cast<qint64>(text.size())); });
}

void WriteFractFile(const QString& path, const std::string& text)
{
    WriteFractFile(*OpenPendingFile(path), text);
}
