#include "session/fractal_session.h"

#include "model/fract_file.h"
#include "model/number_text.h"

#include <QMimeData>

// The text Save As would write: a second Ornalix takes it under its own
// type, a mail or a text editor as plain text, and either reads back.
std::unique_ptr<QMimeData> FractalSession::GeneratorMimeData() const
{
    const std::string text = FractFileText(Viewer.Depth, lines_, Generator, SystemDecimalSeparator());
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kFractMimeType), QByteArray::fromStdString(text));
    data->setText(QString::fromStdString(text));
    return data;
}

// The text is read whole before anything changes, so that text the reader
// refuses leaves the generator, the views and the history as they were.
void FractalSession::PasteGenerator(const QMimeData& data)
{
    const QString type = QString::fromLatin1(kFractMimeType);
    FractModel pasted(kGeneratorCapacity);
    const FractDocument document =
        ReadFractDocument(data.hasFormat(type) ? data.data(type).toStdString() : data.text().toStdString(), pasted);
    SetMode(modeIdle);
    const FractState before = State();
    Restore({pasted.Count, pasted.Items, document.Depth, document.Lines, pasted.Orientations});
    history_.Record(EditSteps::kPasteGenerator, before, State());
}
