#include "output/metafile/emf_header.h"

#include <cmath>

namespace {

constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmrEof = 14;
constexpr std::uint32_t kSignature = 0x464D4520; // " EMF"
constexpr std::uint32_t kVersion = 0x10000;

void AppendRect(LittleEndianBuffer& out, int left, int top, int right, int bottom)
{
    out.I32(left);
    out.I32(top);
    out.I32(right);
    out.I32(bottom);
}

void AppendScreenSize(LittleEndianBuffer& out, const QSizeF& size, double scale)
{
    out.I32(static_cast<std::int32_t>(std::lround(size.width() * scale)));
    out.I32(static_cast<std::int32_t>(std::lround(size.height() * scale)));
}

} // namespace

void AppendEmfHeader(LittleEndianBuffer& out, const EmfHeaderFields& fields)
{
    out.U32(kEmrHeader);
    out.U32(kEmfHeaderBytes);
    const QRect& b = fields.Bounds;
    AppendRect(out, b.left(), b.top(), b.right(), b.bottom());
    // The frame runs between the picture's outer edges, from (0, 0) to its
    // size, whereas the bounds name the first and last pixels drawn.
    AppendRect(out, 0, 0, fields.FrameSize.width(), fields.FrameSize.height());
    out.U32(kSignature);
    out.U32(kVersion);
    out.U32(fields.FileBytes);
    out.U32(fields.Records);
    out.U16(static_cast<std::uint16_t>(fields.ObjectSlots + 1));
    out.U16(0); // reserved
    out.U32(0); // no description
    out.U32(0);
    out.U32(0); // no palette
    out.I32(fields.Screen.Pixels.width());
    out.I32(fields.Screen.Pixels.height());
    AppendScreenSize(out, fields.Screen.Millimetres, 1.0);
    out.U32(0); // no pixel format
    out.U32(0);
    out.U32(0); // not OpenGL
    AppendScreenSize(out, fields.Screen.Millimetres, 1000.0);
}

void AppendEmfEof(LittleEndianBuffer& out)
{
    out.U32(kEmrEof);
    out.U32(kEmfEofBytes);
    out.U32(0);  // no palette entries
    out.U32(16); // where they would start
    out.U32(kEmfEofBytes);
}
