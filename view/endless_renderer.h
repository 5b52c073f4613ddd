#pragma once

#include "view/tiled_tracer.h"
#include "view/view_renderer.h"

#include <optional>

class EndlessView;

// What a picture drawn in this style needs of its trace: pieces as short as
// its marks show, and those whose pen or marks can reach into it.
TraceLimits TraceLimitsFor(const CurveStyle& style);

// The pictures of the endless view: the limit curve traced anew for every
// picture's own pixels, so that an export, a printed page or a video frame
// shows all the detail its size can, at any magnification. Placed as the
// pane shows it, the camera is the pane's; fitted, the window is fitted
// into the picture; scaled, the pane's camera is scaled about its corner.
class EndlessRenderer : public ViewRenderer {
public:
    explicit EndlessRenderer(const EndlessView& view);

    std::unique_ptr<ViewPicture> Picture(const ViewPlacement& placement, const CurveStyle& style) override;
    // What the last picture traced.
    const TiledTracer& LastTrace() const { return tracer_; }
    // The edge level "Nach Kante" colours by at a magnification of 2^log2M:
    // one level deeper each time the magnification passes a power of
    // 1 / ratio, the most pieces of a level shrink by, so that the colours
    // show the structure at any magnification.
    static int EdgeLevelAt(int level, double log2M, double ratio);

private:
    const EndlessView& view_;
    // Reused from picture to picture: a frame a tick allocates little.
    TiledTracer tracer_;
    // The last picture's colours, which its tiles take as they are traced.
    std::optional<SegmentColors> colors_;
};
