#include "output/metafile/wmf_writer.h"

#include "output/metafile/metafile_frame.h"
#include "output/metafile/wmf_header.h"

#include <algorithm>

namespace {

constexpr std::uint16_t kMetaEof = 0x0000;
constexpr std::uint16_t kMetaSetMapMode = 0x0103;
constexpr std::uint16_t kMetaSelectObject = 0x012D;
constexpr std::uint16_t kMetaDeleteObject = 0x01F0;
constexpr std::uint16_t kMetaSetWindowOrg = 0x020B;
constexpr std::uint16_t kMetaSetWindowExt = 0x020C;
constexpr std::uint16_t kMetaCreatePenIndirect = 0x02FA;
constexpr std::uint16_t kMetaCreateBrushIndirect = 0x02FC;
constexpr std::uint16_t kMetaPolyline = 0x0325;
constexpr std::uint16_t kMetaEllipse = 0x0418;
constexpr std::uint16_t kMetaRectangle = 0x041B;
constexpr std::uint16_t kMetaSetPixel = 0x041F;

constexpr std::uint16_t kMmAnisotropic = 8;
constexpr std::uint16_t kPsSolid = 0;
constexpr std::uint16_t kPsNull = 5;
constexpr std::uint16_t kBsSolid = 0;
constexpr std::uint16_t kBsNull = 1;

// Size and function come before the parameters.
constexpr std::uint32_t kRecordHeaderWords = 3;

std::int16_t Coordinate(int v)
{
    return static_cast<std::int16_t>(v);
}

} // namespace

QByteArray WmfWriter::Write(const MetafileDrawing& drawing)
{
    SetWindow();
    for (const DrawnItem& item : drawing)
        std::visit([this](const auto& drawn) { Draw(drawn); }, item);
    Record(kMetaEof, kRecordHeaderWords);
    LittleEndianBuffer file;
    AppendPlaceableHeader(file, PlaceableBoxOf(FrameSize(picture_, screen_)));
    MetaHeaderFields header;
    header.FileWords = kMetaHeaderWords + static_cast<std::uint32_t>(body_.Size() / 2);
    header.Objects = selection_.TableSize();
    header.LargestRecordWords = largestRecordWords_;
    AppendMetaHeader(file, header);
    file.Append(body_.Bytes());
    return file.Bytes();
}

// Parameters go in reverse order: y before x, bottom-right before top-left.
void WmfWriter::SetWindow()
{
    Record(kMetaSetMapMode, kRecordHeaderWords + 1);
    body_.U16(kMmAnisotropic);
    Record(kMetaSetWindowOrg, kRecordHeaderWords + 2);
    body_.I16(0);
    body_.I16(0);
    const QSize extent = geometry_.WindowExtent();
    Record(kMetaSetWindowExt, kRecordHeaderWords + 2);
    body_.I16(Coordinate(extent.height()));
    body_.I16(Coordinate(extent.width()));
}

void WmfWriter::Draw(const DrawnShape& shape)
{
    selection_.Use(ScaledPen(shape.Pen));
    selection_.Use(shape.Brush);
    const GdiBox box = geometry_.Box(shape.Box);
    Record(shape.Shape == DrawnShape::Kind::Ellipse ? kMetaEllipse : kMetaRectangle, kRecordHeaderWords + 4);
    body_.I16(Coordinate(box.Bottom));
    body_.I16(Coordinate(box.Right));
    body_.I16(Coordinate(box.Top));
    body_.I16(Coordinate(box.Left));
}

void WmfWriter::Draw(const DrawnPolyline& polyline)
{
    const auto runs = geometry_.PolylineRuns(polyline.Points);
    if (runs.empty())
        return;
    selection_.Use(ScaledPen(polyline.Pen));
    for (const auto& run : runs) {
        const auto count = static_cast<std::uint32_t>(run.size());
        Record(kMetaPolyline, kRecordHeaderWords + 1 + 2 * count);
        body_.U16(static_cast<std::uint16_t>(count));
        for (const QPoint& p : run)
            Point(p);
    }
}

void WmfWriter::Draw(const DrawnPixels& pixels)
{
    for (const QPoint& p : pixels.Points) {
        const auto pixel = geometry_.Pixel(p);
        if (!pixel)
            continue;
        Record(kMetaSetPixel, kRecordHeaderWords + 4);
        body_.U32(pixels.Color);
        body_.I16(Coordinate(pixel->y()));
        body_.I16(Coordinate(pixel->x()));
    }
}

// Playback puts a new object in the lowest free slot, which is where the
// selection expects it, so the slot is not written.
void WmfWriter::CreatePen(int, const GdiPen& pen)
{
    Record(kMetaCreatePenIndirect, kRecordHeaderWords + 5);
    body_.U16(pen.Visible ? kPsSolid : kPsNull);
    body_.I16(Coordinate(pen.Width));
    body_.I16(0); // the height of the width is not used
    body_.U32(pen.Color);
}

void WmfWriter::CreateBrush(int, const GdiBrush& brush)
{
    Record(kMetaCreateBrushIndirect, kRecordHeaderWords + 4);
    body_.U16(brush.Visible ? kBsSolid : kBsNull);
    body_.U32(brush.Color);
    body_.U16(0); // no hatch
}

void WmfWriter::SelectObject(int slot)
{
    Record(kMetaSelectObject, kRecordHeaderWords + 1);
    body_.U16(static_cast<std::uint16_t>(slot));
}

void WmfWriter::DeleteObject(int slot)
{
    Record(kMetaDeleteObject, kRecordHeaderWords + 1);
    body_.U16(static_cast<std::uint16_t>(slot));
}

GdiPen WmfWriter::ScaledPen(const GdiPen& pen) const
{
    return {pen.Visible, pen.Color, geometry_.PenWidth(pen.Width)};
}

void WmfWriter::Record(std::uint16_t function, std::uint32_t words)
{
    body_.U32(words);
    body_.U16(function);
    largestRecordWords_ = std::max(largestRecordWords_, words);
}

void WmfWriter::Point(QPoint p)
{
    body_.I16(Coordinate(p.x()));
    body_.I16(Coordinate(p.y()));
}
