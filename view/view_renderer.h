#pragma once

#include "view/curve_style.h"
#include "view/view_placement.h"

#include <memory>

class QPainter;

// The current view made ready for one output. It can be drawn as often as
// the output needs (a band of rows at a time, say), each time filling the
// placement's rectangle with the background and drawing the curve on it,
// in the output's own pixel coordinates.
class ViewPicture {
public:
    virtual ~ViewPicture() = default;
    virtual void Draw(QPainter& painter) const = 0;
};

// What turns the current view into pictures: every output (the pane, an
// export, a printed page, the clipboard, a video frame) asks here and gets
// the view drawn for its own pixels, while the view stays as it is.
class ViewRenderer {
public:
    virtual ~ViewRenderer() = default;
    // Valid until the renderer's next picture or the view's next change.
    virtual std::unique_ptr<ViewPicture> Picture(const ViewPlacement& placement, const CurveStyle& style) = 0;
};
