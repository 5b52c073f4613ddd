#pragma once

#include "view/tiled_tracer.h"
#include "view/view_renderer.h"

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

private:
    const EndlessView& view_;
    // Reused from picture to picture: a frame a tick allocates little.
    TiledTracer tracer_;
};
