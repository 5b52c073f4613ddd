#include "app/tform1.h"

#include "output/clipboard/clipboard_picture.h"
#include "session/fractal_session.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

// The picture shows the pane as it is now, during an animated zoom its
// current step: the view is not fitted anew.
void Tform1::Kopieren1Click()
{
    const PixelRect pane = session_.FractPane();
    auto picture = ClipboardPicture(*session_.Picture(ViewPlacement::AsShownIn(pane)),
                                    QSize(pane.Right, pane.Bottom), PrimaryReferenceScreen());
    QGuiApplication::clipboard()->setMimeData(picture.release());
}
