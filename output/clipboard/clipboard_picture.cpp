#include "output/clipboard/clipboard_picture.h"

#include "output/vector/svg_picture.h"
#include "view/view_renderer.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QPainter>

namespace {

// A pane squeezed to nothing still gives a picture.
QSize AtLeastOnePixel(QSize size)
{
    return size.expandedTo(QSize(1, 1));
}

} // namespace

QByteArray PaneEmf(const ViewPicture& view, QSize size, const ReferenceScreen& screen)
{
    size = AtLeastOnePixel(size);
    MetafileDevice metafile(size.width(), size.height(), screen);
    {
        QPainter painter(&metafile);
        view.Draw(painter);
    }
    return metafile.EmfBytes();
}

QByteArray PaneSvg(const ViewPicture& view, QSize size)
{
    return SvgBytes(view, AtLeastOnePixel(size));
}

QByteArray PanePng(const ViewPicture& view, QSize size)
{
    QImage picture(AtLeastOnePixel(size), QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        view.Draw(painter);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return buffer.data();
}

std::unique_ptr<QMimeData> ClipboardPicture(const ViewPicture& view, QSize size, const ReferenceScreen& screen)
{
    auto data = std::make_unique<QMimeData>();
    const QByteArray emf = PaneEmf(view, size, screen);
    data->setData(ClipboardTypes::kEmf, emf);
    data->setData(ClipboardTypes::kOfficeEmf, emf);
    data->setData(ClipboardTypes::kSvg, PaneSvg(view, size));
    data->setData(ClipboardTypes::kPng, PanePng(view, size));
    return data;
}
