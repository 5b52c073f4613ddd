#pragma once

#include "output/little_endian_buffer.h"
#include "output/metafile/gdi_selection.h"
#include "output/metafile/metafile_device.h"
#include "output/metafile/metafile_drawing.h"

#include <QByteArray>
#include <QSize>

// An enhanced metafile of a drawing. Logical units are the reference
// screen's pixels, which are the picture's pixels.
class EmfWriter final : private GdiObjectSink {
public:
    EmfWriter(QSize picture, const ReferenceScreen& screen) : picture_(picture), screen_(screen) {}

    // For a fresh writer only.
    QByteArray Write(const MetafileDrawing& drawing);

private:
    void Draw(const DrawnShape& shape);
    void Draw(const DrawnPolyline& polyline);
    void Draw(const DrawnPixels& pixels);

    void CreatePen(int slot, const GdiPen& pen) override;
    void CreateBrush(int slot, const GdiBrush& brush) override;
    void SelectObject(int slot) override;
    void DeleteObject(int slot) override;

    void BeginRecord(std::uint32_t type, std::uint32_t bytes);

    QSize picture_;
    ReferenceScreen screen_;
    LittleEndianBuffer body_;
    std::uint32_t records_ = 0;
    GdiSelection selection_{*this};
};
