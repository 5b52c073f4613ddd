#include "app/tform1.h"

#include "output/clipboard/clipboard_picture.h"
#include "ui_tform1.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

// The picture shows the pane as it is now, during an animated zoom its
// current step: the view is not fitted anew.
void Tform1::Kopieren1Click()
{
    auto picture = ClipboardPicture(Viewer, LinesChecked(), ui->ptbFract->ClientRect().size(), PrimaryReferenceScreen());
    QGuiApplication::clipboard()->setMimeData(picture.release());
}
