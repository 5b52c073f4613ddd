#include "app/tform1.h"

#include "app/gallery.h"
#include "ui_tform1.h"

#include <QMenu>

// One entry per curve; without its gallery the menu shows disabled.
void Tform1::SetUpGallery()
{
    const QList<GalleryCurve> curves = GalleryCurves(GalleryFolder());
    for (const GalleryCurve& curve : curves) {
        QString text = curve.Name;
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = ui->mnuBeispiele->addAction(text);
        connect(entry, &QAction::triggered, this, [this, path = curve.Path] { Beispiel1Click(path); });
    }
    ui->mnuBeispiele->menuAction()->setEnabled(!curves.isEmpty());
}

// A curve of the gallery opens as "Öffnen..." opens a file, but stays out
// of the recent files: the menu above them always holds it.
void Tform1::Beispiel1Click(const QString& fileName)
{
    ReadFile(fileName);
}
