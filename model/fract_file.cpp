#include "fract_file.h"

#include "number_text.h"
#include "text_lines.h"

#include <QFile>
#include <QSaveFile>

#include <stdexcept>

void ReadFractText(std::string text, const FractFileTarget& target, char separator)
{
    TextLineReader reader(std::move(text));
    const auto depth = ParseInteger(reader.ReadLine());
    // A deeper expansion than the program offers only exhausts time and memory.
    if (!depth || *depth < kMinFileDepth || *depth > kMaxFileDepth)
        throw FractFormatError("bad depth line");
    target.SetDepth(*depth);
    const auto lines = ParseBoolean(reader.ReadLine(), separator);
    if (!lines)
        throw FractFormatError("bad display mode line");
    target.SetLines(*lines);
    target.Generator.LoadFromText(reader, separator);
}

void ReadFractFile(const QString& path, const FractFileTarget& target, char separator)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FractFormatError(file.errorString().toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FractFormatError(file.errorString().toStdString());
    ReadFractText(bytes.toStdString(), target, separator);
}

FractDocument LoadFractDocument(const QString& path, FractModel& generator, char separator)
{
    FractDocument document;
    ReadFractFile(path,
                  {[&](int depth) { document.Depth = depth; }, [&](bool lines) { document.Lines = lines; }, generator},
                  separator);
    return document;
}

std::string FractFileText(int depth, bool lines, const FractModel& generator, char separator)
{
    std::string text = std::to_string(depth) + "\r\n" + (lines ? "-1" : "0") + "\r\n";
    generator.SaveToText(text, separator);
    return text;
}

void WriteFractFile(const QString& path, const std::string& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(file.errorString().toStdString());
    const auto size = static_cast<qint64>(text.size());
    if (file.write(text.data(), size) != size || !file.commit())
        throw std::runtime_error(file.errorString().toStdString());
}
