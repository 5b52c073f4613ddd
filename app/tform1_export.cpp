#include "app/tform1.h"

#include "app/chosen_file_type.h"
#include "app/dialogs.h"
#include "app/messages.h"
#include "app/progress_dialog_work.h"
#include "app/texport_dlg.h"
#include "model/number_text.h"
#include "output/picture_export.h"
#include "session/fractal_session.h"
#include "session/view_snapshot.h"
#include "ui_tform1.h"

namespace {

int WholeNumberOf(const QString& text)
{
    const auto value = ParseDecimalInteger(text.toStdString());
    if (!value)
        throw PictureSizeError("not a whole number");
    return *value;
}

} // namespace

// The size is stored before the file dialog, so it stays even when the user
// then cancels. The picture is the view as the file dialog left it, written
// while the window goes on. Every failure after the size dialog ends in one
// warning: a file or folder that cannot be written says so, with the
// system's reason; anything else is a size that cannot be made into a
// picture. A cancelled export says nothing: it left the files as they were.
void Tform1::Exportieren1Click()
{
    exportDlg->SetValues({session_.ExportWidth, session_.ExportHeight}, ui->ptbFract->ClientRect().size());
    if (dialogs_.Run(*exportDlg) != QDialog::Accepted)
        return;
    QString fileName;
    try {
        const ExportSizeEntry entry = exportDlg->Entry();
        const int width = WholeNumberOf(entry.Width);
        const int height = WholeNumberOf(entry.Height);
        session_.ExportWidth = width;
        session_.ExportHeight = height;
        fileName = WithChosenType(dialogs_.ChooseFile(SavePictureDialog1), SavePictureDialog1);
        if (fileName.isEmpty())
            return;
        const PictureFormat format = PictureFormatOf(fileName);
        if (IsClipFormat(format)) {
            StartVideoExport(width, height, fileName);
            return;
        }
        if (!IsPictureFormat(format)) {
            dialogs_.Error(this, Messages::kUnsupportedFormat);
            return;
        }
        const std::unique_ptr<ViewSnapshot> view = ViewSnapshot::Of(session_);
        const ReferenceScreen screen = PrimaryReferenceScreen();
        RunWithProgress(this, Messages::kExportTitle, Messages::kExporting, [&](WorkProgress& progress) {
            WritePicture(*view->Picture(ViewPlacement::FittedTo({0, 0, width, height}), view->Style()), width,
                         height, fileName, screen, progress);
        });
    } catch (const PictureFileError& e) {
        dialogs_.Warning(this, Messages::Line(Messages::kCannotWrite, fileName, QString::fromStdString(e.what())));
    } catch (const ExportError&) {
        dialogs_.Warning(this, Messages::kInvalidSize);
    } catch (const ClipWriteError& e) {
        dialogs_.Warning(this, Messages::Line(Messages::kCannotWrite, e.Failure().File, e.Failure().Reason));
    } catch (const ClipError&) {
        dialogs_.Warning(this, Messages::kInvalidSize);
    }
}

// One clip at a time: a second one would take over the open one's writer.
void Tform1::StartVideoExport(int width, int height, const QString& fileName)
{
    if (RecordingSetUp()) {
        dialogs_.Warning(this, Messages::kAlreadyRecording);
        return;
    }
    StartRecording(width, height, fileName);
}
