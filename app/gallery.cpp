#include "app/gallery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString GalleryFolder()
{
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(ORNALIX_GALLERY_FROM_PROGRAM));
    for (const QString& folder : {installed, QStringLiteral(ORNALIX_SOURCE_GALLERY)})
        if (QFileInfo(folder).isDir())
            return QDir::cleanPath(folder);
    return {};
}

QList<GalleryCurve> GalleryCurves(const QString& folder)
{
    QList<GalleryCurve> curves;
    if (folder.isEmpty())
        return curves;
    const QDir dir(folder);
    for (const QFileInfo& file :
         dir.entryInfoList({QStringLiteral("*.fract")}, QDir::Files, QDir::Name | QDir::LocaleAware))
        curves.append({file.completeBaseName(), file.filePath()});
    return curves;
}
