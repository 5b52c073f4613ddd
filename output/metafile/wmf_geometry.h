#pragma once

#include "output/metafile/gdi_style.h"

#include <QPoint>
#include <QSize>

#include <optional>
#include <vector>

// WMF coordinates are 16-bit. A picture wider or taller than that is
// recorded at a whole fraction of its size, and whatever lies beyond the
// 16-bit range after that is clipped away.
class WmfGeometry {
public:
    // META_POLYLINE counts its points in a signed 16-bit number.
    static constexpr int kMaxPolylinePoints = 32767;

    explicit WmfGeometry(QSize picture);

    QSize WindowExtent() const;
    int PenWidth(int width) const;
    // Out of range, the pixel is not drawn.
    std::optional<QPoint> Pixel(QPoint p) const;
    // Clamped: a box cut at the edge of the range still covers all of the
    // range it covered.
    GdiBox Box(const GdiBox& box) const;
    // The parts of the polyline within range, each short enough for one
    // record; a long run goes on from the point where the last one ended.
    std::vector<std::vector<QPoint>> PolylineRuns(const std::vector<QPoint>& points) const;

private:
    int Scaled(int v) const;

    QSize picture_;
    int divisor_ = 1;
};
