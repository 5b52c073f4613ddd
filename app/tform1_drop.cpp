#include "app/tform1.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

// The one local .fract file a drag carries, or an empty text.
QString FractFileIn(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QFileInfo file(urls.first().toLocalFile());
    if (!file.isFile() || file.suffix().compare(QStringLiteral("fract"), Qt::CaseInsensitive) != 0)
        return QString();
    return file.absoluteFilePath();
}

// The file is only read: as a copy, the file manager keeps it where it is
// (a move would let it delete the file).
bool Acceptable(const QDropEvent& event)
{
    return (event.possibleActions() & Qt::CopyAction) && !FractFileIn(*event.mimeData()).isEmpty();
}

} // namespace

// Anything but a .fract file is refused, and the cursor says so.
void Tform1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!Acceptable(*event)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

// The file opens as "Öffnen..." opens it, once the drop is over: the file
// manager waits for its end, and a bad file shows a message.
void Tform1::dropEvent(QDropEvent* event)
{
    if (!Acceptable(*event)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    const QString fileName = FractFileIn(*event->mimeData());
    QMetaObject::invokeMethod(this, [this, fileName] { OpenFile(fileName); }, Qt::QueuedConnection);
}
