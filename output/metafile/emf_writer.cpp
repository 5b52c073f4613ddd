#include "output/metafile/emf_writer.h"

#include "output/metafile/emf_bounds.h"
#include "output/metafile/emf_header.h"
#include "output/metafile/metafile_frame.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::uint32_t kEmrPolyline = 4;
constexpr std::uint32_t kEmrSetPixelV = 15;
constexpr std::uint32_t kEmrSelectObject = 37;
constexpr std::uint32_t kEmrCreatePen = 38;
constexpr std::uint32_t kEmrCreateBrushIndirect = 39;
constexpr std::uint32_t kEmrDeleteObject = 40;
constexpr std::uint32_t kEmrEllipse = 42;
constexpr std::uint32_t kEmrRectangle = 43;
constexpr std::uint32_t kEmrPolyline16 = 87;

constexpr std::uint32_t kPsSolid = 0;
constexpr std::uint32_t kPsNull = 5;
constexpr std::uint32_t kBsSolid = 0;
constexpr std::uint32_t kBsNull = 1;

// Type, size and bounds before the points.
constexpr std::uint32_t kPolylineFixedBytes = 28;

bool FitsInt16(const std::vector<QPoint>& points)
{
    constexpr int lo = std::numeric_limits<std::int16_t>::min();
    constexpr int hi = std::numeric_limits<std::int16_t>::max();
    return std::all_of(points.begin(), points.end(),
                       [](const QPoint& p) { return p.x() >= lo && p.x() <= hi && p.y() >= lo && p.y() <= hi; });
}

void AppendRect(LittleEndianBuffer& out, const QRect& r)
{
    out.I32(r.left());
    out.I32(r.top());
    out.I32(r.right());
    out.I32(r.bottom());
}

// Object table index 0 stands for the metafile itself.
std::uint32_t TableIndex(int slot)
{
    return static_cast<std::uint32_t>(slot) + 1;
}

} // namespace

QByteArray EmfWriter::Write(const MetafileDrawing& drawing)
{
    for (const DrawnItem& item : drawing)
        std::visit([this](const auto& drawn) { Draw(drawn); }, item);
    EmfHeaderFields header;
    header.Bounds = DrawingBounds(drawing, picture_);
    header.FrameSize = FrameSize(picture_, screen_);
    header.FileBytes = kEmfHeaderBytes + static_cast<std::uint32_t>(body_.Size()) + kEmfEofBytes;
    header.Records = records_ + 2;
    header.ObjectSlots = selection_.TableSize();
    header.Screen = screen_;
    LittleEndianBuffer file;
    AppendEmfHeader(file, header);
    file.Append(body_.Bytes());
    AppendEmfEof(file);
    return file.Bytes();
}

void EmfWriter::Draw(const DrawnShape& shape)
{
    selection_.Use(shape.Pen);
    selection_.Use(shape.Brush);
    BeginRecord(shape.Shape == DrawnShape::Kind::Ellipse ? kEmrEllipse : kEmrRectangle, 24);
    body_.I32(shape.Box.Left);
    body_.I32(shape.Box.Top);
    body_.I32(shape.Box.Right);
    body_.I32(shape.Box.Bottom);
}

// The 16-bit form takes half the room; it serves whenever every point fits.
void EmfWriter::Draw(const DrawnPolyline& polyline)
{
    selection_.Use(polyline.Pen);
    const auto count = static_cast<std::uint32_t>(polyline.Points.size());
    const bool narrow = FitsInt16(polyline.Points);
    BeginRecord(narrow ? kEmrPolyline16 : kEmrPolyline, kPolylineFixedBytes + count * (narrow ? 4 : 8));
    AppendRect(body_, DrawnBounds(polyline));
    body_.U32(count);
    for (const QPoint& p : polyline.Points) {
        if (narrow) {
            body_.I16(static_cast<std::int16_t>(p.x()));
            body_.I16(static_cast<std::int16_t>(p.y()));
        } else {
            body_.I32(p.x());
            body_.I32(p.y());
        }
    }
}

void EmfWriter::Draw(const DrawnPixels& pixels)
{
    for (const QPoint& p : pixels.Points) {
        BeginRecord(kEmrSetPixelV, 20);
        body_.I32(p.x());
        body_.I32(p.y());
        body_.U32(pixels.Color);
    }
}

void EmfWriter::CreatePen(int slot, const GdiPen& pen)
{
    BeginRecord(kEmrCreatePen, 28);
    body_.U32(TableIndex(slot));
    body_.U32(pen.Visible ? kPsSolid : kPsNull);
    body_.I32(pen.Width);
    body_.I32(0); // the height of the width is not used
    body_.U32(pen.Color);
}

void EmfWriter::CreateBrush(int slot, const GdiBrush& brush)
{
    BeginRecord(kEmrCreateBrushIndirect, 24);
    body_.U32(TableIndex(slot));
    body_.U32(brush.Visible ? kBsSolid : kBsNull);
    body_.U32(brush.Color);
    body_.U32(0); // no hatch
}

void EmfWriter::SelectObject(int slot)
{
    BeginRecord(kEmrSelectObject, 12);
    body_.U32(TableIndex(slot));
}

void EmfWriter::DeleteObject(int slot)
{
    BeginRecord(kEmrDeleteObject, 12);
    body_.U32(TableIndex(slot));
}

void EmfWriter::BeginRecord(std::uint32_t type, std::uint32_t bytes)
{
    body_.U32(type);
    body_.U32(bytes);
    ++records_;
}
