#pragma once

#include "output/little_endian_buffer.h"
#include "output/metafile/gdi_selection.h"
#include "output/metafile/metafile_device.h"
#include "output/metafile/metafile_drawing.h"
#include "output/metafile/wmf_geometry.h"

#include <QByteArray>
#include <QSize>

// A placeable WMF of a drawing: an anisotropic window of the picture's
// pixels, placed on the frame the reference screen gives it.
class WmfWriter final : private GdiObjectSink {
public:
    WmfWriter(QSize picture, const ReferenceScreen& screen) : picture_(picture), screen_(screen), geometry_(picture) {}

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

    void SetWindow();
    GdiPen ScaledPen(const GdiPen& pen) const;
    void Record(std::uint16_t function, std::uint32_t words);
    void Point(QPoint p);

    QSize picture_;
    ReferenceScreen screen_;
    WmfGeometry geometry_;
    LittleEndianBuffer body_;
    std::uint32_t largestRecordWords_ = 0;
    GdiSelection selection_{*this};
};
