#pragma once

#include "model/complex.h"
#include "model/edge_orientation.h"
#include "view/curve_coloring.h"
#include "view/view_renderer.h"

#include <QPoint>

#include <cstdint>
#include <vector>

class FractViewer;

// The pictures of a viewer's one polyline: the points as the pane shows
// them, or a copy mapped by the placement's scale and offset exactly as the
// viewer's own Transform would map them, so that an output draws the pixels
// an in-place fit would give, and the viewer keeps its own.
class CurveRenderer : public ViewRenderer {
public:
    explicit CurveRenderer(const FractViewer& viewer);

    std::unique_ptr<ViewPicture> Picture(const ViewPlacement& placement, const CurveStyle& style) override;

private:
    const Complex* Map(double scale, const Complex& offset);
    const std::uint8_t* Colors(const CurveColoring& coloring);

    const FractViewer& viewer_;
    // Reused from picture to picture: a frame a tick allocates nothing.
    std::vector<Complex> mapped_;
    std::vector<QPoint> scratch_;
    // The points' colours, kept until the curve or the coloring changes:
    // the zoom's frames colour nothing anew.
    std::vector<std::uint8_t> colors_;
    std::vector<Complex> colorsItems_;
    std::vector<EdgeOrientation> colorsOrientations_;
    int colorsDepth_ = -1;
    int colorsCount_ = 0;
    CurveColoring colorsColoring_;
};
