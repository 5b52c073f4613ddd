#include "app/tform1.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "model/fract_file.h"
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

void Tform1::Generatorkopieren1Click()
{
    QGuiApplication::clipboard()->setMimeData(session_.GeneratorMimeData().release());
}

// Text the reader refuses changes nothing.
void Tform1::Generatoreinfgen1Click()
{
    const QMimeData nothing;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    try {
        session_.PasteGenerator(data ? *data : nothing);
    } catch (const FractFormatError&) {
        dialogs_.Warning(this, Messages::kBadFileFormat);
    }
}
