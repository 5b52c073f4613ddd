#pragma once

#include "view/curve_renderer.h"
#include "view/fract_viewer.h"

#include <memory>

// A viewer's points as they stand, drawn onto (0, 0, width, height) in the
// viewer's colours and pen, as lines or single pixels, smoothed or not:
// what an output gets from the view of a pane of that size.
class ShownCurve : public ViewPicture {
public:
    ShownCurve(const FractViewer& viewer, bool lines, int width, int height, bool smooth = false)
        : renderer_(viewer), picture_(renderer_.Picture(ViewPlacement::AsShownIn({0, 0, width, height}),
                                                        Smoothed(viewer.Style(lines), smooth)))
    {
    }

    void Draw(QPainter& painter) const override { picture_->Draw(painter); }

private:
    static CurveStyle Smoothed(CurveStyle style, bool smooth)
    {
        style.Antialiased = smooth;
        return style;
    }

    CurveRenderer renderer_;
    std::unique_ptr<ViewPicture> picture_;
};
