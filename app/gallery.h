#pragma once

#include <QList>
#include <QString>

// The named classic curves that come with the program, one .fract file
// each, named after its curve.
struct GalleryCurve {
    QString Name;
    QString Path;
};

// Beside an installed program, else in the source tree it was built from;
// empty when neither holds the curves.
QString GalleryFolder();
// In the order of their names.
QList<GalleryCurve> GalleryCurves(const QString& folder);
