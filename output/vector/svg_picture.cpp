#include "output/vector/svg_picture.h"

#include "view/view_renderer.h"

#include <QBuffer>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

namespace {

// SVG pixels are CSS pixels.
constexpr int kSvgDotsPerInch = 96;

// The generator gives the document's size in millimetres, which readers
// round up to whole pixels; in pixels it shows at exactly its size.
QByteArray InPixels(QByteArray svg, QSize size)
{
    static const QRegularExpression mm(QStringLiteral(R"( width="[0-9.]+mm" height="[0-9.]+mm")"));
    const QString text = QString::fromUtf8(svg);
    const auto match = mm.match(text);
    if (!match.hasMatch())
        return svg;
    return QString(text).replace(match.capturedStart(), match.capturedLength(),
                                 QStringLiteral(R"( width="%1" height="%2")").arg(size.width()).arg(size.height()))
        .toUtf8();
}

} // namespace

QByteArray SvgBytes(const ViewPicture& view, QSize size)
{
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(kSvgDotsPerInch);
    svg.setTitle(QStringLiteral("Ornalix"));
    {
        QPainter painter(&svg);
        view.Draw(painter);
    }
    return InPixels(buffer.data(), size);
}
