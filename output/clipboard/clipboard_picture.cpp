#include "output/clipboard/clipboard_picture.h"

#include "view/fract_viewer.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>

namespace {

// The SVG's pixels are CSS pixels, so it pastes at the pane's size.
constexpr int kSvgDotsPerInch = 96;

// A pane squeezed to nothing still gives a picture.
QSize AtLeastOnePixel(QSize size)
{
    return size.expandedTo(QSize(1, 1));
}

} // namespace

QByteArray PaneEmf(FractViewer& viewer, bool lines, QSize size, const ReferenceScreen& screen)
{
    size = AtLeastOnePixel(size);
    MetafileDevice metafile(size.width(), size.height(), screen);
    {
        QPainter painter(&metafile);
        viewer.DrawCurve(painter, lines);
    }
    return metafile.EmfBytes();
}

QByteArray PaneSvg(FractViewer& viewer, bool lines, QSize size)
{
    size = AtLeastOnePixel(size);
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(kSvgDotsPerInch);
    svg.setTitle(QStringLiteral("Ornalix"));
    {
        QPainter painter(&svg);
        viewer.DrawCurve(painter, lines);
    }
    return buffer.data();
}

QByteArray PanePng(FractViewer& viewer, bool lines, QSize size)
{
    QImage picture(AtLeastOnePixel(size), QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        viewer.DrawCurve(painter, lines);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return buffer.data();
}

std::unique_ptr<QMimeData> ClipboardPicture(FractViewer& viewer, bool lines, QSize size,
                                            const ReferenceScreen& screen)
{
    auto data = std::make_unique<QMimeData>();
    const QByteArray emf = PaneEmf(viewer, lines, size, screen);
    data->setData(ClipboardTypes::kEmf, emf);
    data->setData(ClipboardTypes::kOfficeEmf, emf);
    data->setData(ClipboardTypes::kSvg, PaneSvg(viewer, lines, size));
    data->setData(ClipboardTypes::kPng, PanePng(viewer, lines, size));
    return data;
}
