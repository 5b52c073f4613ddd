#pragma once

#include "output/metafile/metafile_device.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <memory>

class ViewPicture;
class QMimeData;

// The types the picture is offered under, and who takes each: Inkscape the
// EMF, LibreOffice its own EMF type, Inkscape, Krita and LibreOffice the
// SVG, GIMP and everything else the PNG.
namespace ClipboardTypes {
inline const QString kEmf = QStringLiteral("image/x-emf");
inline const QString kOfficeEmf = QStringLiteral("application/x-openoffice-emf;windows_formatname=\"Image EMF\"");
inline const QString kSvg = QStringLiteral("image/svg+xml");
inline const QString kPng = QStringLiteral("image/png");
} // namespace ClipboardTypes

// Each draws the view as the pane shows it into a picture of the pane's
// size.
QByteArray PaneEmf(const ViewPicture& view, QSize size, const ReferenceScreen& screen);
// Lines become one polyline, points rectangles of one pixel.
QByteArray PaneSvg(const ViewPicture& view, QSize size);
QByteArray PanePng(const ViewPicture& view, QSize size);

// The same picture in all four types.
std::unique_ptr<QMimeData> ClipboardPicture(const ViewPicture& view, QSize size, const ReferenceScreen& screen);
