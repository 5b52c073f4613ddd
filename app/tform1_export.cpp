#include "tform1.h"

#include "dialogs.h"
#include "messages.h"
#include "number_text.h"
#include "picture_export.h"
#include "texport_dlg.h"

namespace {

int WholeNumberOf(const QLineEdit* field)
{
    const auto value = ParseDecimalInteger(field->text().toStdString());
    if (!value)
        throw PictureSizeError("not a whole number");
    return *value;
}

} // namespace

// The size is stored before the file dialog, so it stays even when the user
// then cancels. Every failure after the size dialog ends in one warning.
void Tform1::Exportieren1Click()
{
    if (Dialogs::Current().Run(*exportDlg) != QDialog::Accepted)
        return;
    Dialogs& dialogs = Dialogs::Current();
    try {
        const int width = WholeNumberOf(exportDlg->txtWidth);
        const int height = WholeNumberOf(exportDlg->txtHeight);
        ExportWidth = width;
        ExportHeight = height;
        const QString fileName = dialogs.ChooseFile(SavePictureDialog1);
        if (fileName.isEmpty())
            return;
        Viewer.SetRect({0, 0, width, height});
        Viewer.Transform();
        const PictureFormat format = PictureFormatOf(fileName);
        if (format == PictureFormat::Unsupported || format == PictureFormat::Avi) {
            dialogs.Error(this, Messages::kUnsupportedFormat);
            return;
        }
        WritePicture(Viewer, LinesChecked(), width, height, fileName, PrimaryReferenceScreen());
    } catch (const ExportError&) {
        dialogs.Warning(this, Messages::kInvalidSize);
    }
}
