#include "app/tform1.h"

#include "app/chosen_file_type.h"
#include "app/dialogs.h"
#include "app/messages.h"
#include "model/fract_file.h"
#include "session/fractal_session.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileInfo>

namespace {

const QString kFractFilter = QStringLiteral("Fraktaldateien (*.fract);;Alle Dateien (*.*)");

void SetUpFractDialog(QFileDialog& dialog, QFileDialog::AcceptMode mode, const char* name)
{
    dialog.setObjectName(QLatin1String(name));
    // Qt's own dialog behaves the same on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(kFractFilter);
}

// Qt's file dialog takes a typed name with Return while the list of matching
// names is still open, and leaves that list on the screen above the main
// window until the next click. It goes when the dialog does.
void CloseNameListWithTheDialog(QFileDialog& dialog)
{
    QObject::connect(&dialog, &QDialog::finished, &dialog, [&dialog] {
        for (QCompleter* completer : dialog.findChildren<QCompleter*>())
            if (QAbstractItemView* list = completer->popup())
                list->hide();
    });
}

} // namespace

void Tform1::SetUpFileDialogs()
{
    SetUpFractDialog(OpenDialog1, QFileDialog::AcceptOpen, "OpenDialog1");
    SetUpFractDialog(SaveDialog1, QFileDialog::AcceptSave, "SaveDialog1");
    SaveDialog1.setDefaultSuffix(QStringLiteral("fract"));
    SavePictureDialog1.setObjectName(QStringLiteral("SavePictureDialog1"));
    SavePictureDialog1.setOption(QFileDialog::DontUseNativeDialog);
    SavePictureDialog1.setOption(QFileDialog::DontConfirmOverwrite);
    SavePictureDialog1.setAcceptMode(QFileDialog::AcceptSave);
    SavePictureDialog1.setNameFilters({QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("Windows Metadatei (*.wmf)"),
                                       QStringLiteral("Erweiterte Metadateien (*.emf)"),
                                       QStringLiteral("JPEG-Grafikdatei (*.jpg)"), QStringLiteral("Videoclip (*.avi)"),
                                       QStringLiteral("MP4-Video (*.mp4)"), QStringLiteral("WebM-Video (*.webm)"),
                                       QStringLiteral("GIF-Animation (*.gif)"), QStringLiteral("PNG-Grafik (*.png)"), QStringLiteral("SVG-Grafik (*.svg)"),
                                       QStringLiteral("PDF-Dokument (*.pdf)")});
    for (QFileDialog* dialog : {&OpenDialog1, &SaveDialog1, &SavePictureDialog1})
        CloseNameListWithTheDialog(*dialog);
}

void Tform1::ShowFileTitle(const QString& fileName)
{
    FileTitle = QFileInfo(fileName).fileName();
    setWindowTitle(QStringLiteral("Ornalix - ") + FileTitle);
}

void Tform1::Neu1Click()
{
    session_.New();
}

void Tform1::ffnen1Click()
{
    const QString fileName = dialogs_.ChooseFile(OpenDialog1);
    if (!fileName.isEmpty())
        OpenFile(fileName);
}

void Tform1::OpenFile(const QString& fileName)
{
    if (ReadFile(fileName))
        RememberFile(fileName);
}

// A bad file keeps what was read before the bad line; the title stays.
bool Tform1::ReadFile(const QString& fileName)
{
    try {
        session_.Open(fileName);
    } catch (const FractFormatError&) {
        dialogs_.Warning(this, Messages::kBadFileFormat);
        return false;
    }
    ShowFileTitle(fileName);
    return true;
}

void Tform1::Speichern1Click()
{
    const QString fileName = WithChosenType(dialogs_.ChooseFile(SaveDialog1), SaveDialog1);
    if (fileName.isEmpty())
        return;
    try {
        session_.Save(fileName);
    } catch (const std::runtime_error& e) {
        dialogs_.Failure(this, QString::fromStdString(e.what()));
        return;
    }
    ShowFileTitle(fileName);
    RememberFile(fileName);
}
