#include "session/view_snapshot.h"

#include "session/fractal_session.h"
#include "view/curve_renderer.h"
#include "view/endless_renderer.h"
#include "view/endless_view.h"
#include "view/fract_viewer.h"

#include <algorithm>

namespace {

// The polyline as the viewer holds it now: its points in the pixels of the
// last fit, the window in the same pixels, and the generator the curve's
// colours come from.
class PolylineSnapshot final : public ViewSnapshot {
public:
    PolylineSnapshot(const FractViewer& shown, const CurveStyle& style)
        : ViewSnapshot(style), generator_(shown.Model), viewer_(generator_, shown.PointCount + 1),
          windowMin_(*shown.WindowMin), windowMax_(*shown.WindowMax)
    {
        viewer_.Depth = shown.Depth;
        viewer_.PointCount = shown.PointCount;
        std::copy_n(shown.Points.begin(), shown.PointCount, viewer_.Points.begin());
        viewer_.SetWindow(windowMin_, windowMax_);
    }

    std::unique_ptr<ViewPicture> Picture(const ViewPlacement& placement, const CurveStyle& style) override
    {
        return renderer_.Picture(placement, style);
    }

private:
    FractModel generator_;
    FractViewer viewer_;
    Complex windowMin_;
    Complex windowMax_;
    CurveRenderer renderer_{viewer_};
};

class EndlessSnapshot final : public ViewSnapshot {
public:
    EndlessSnapshot(const EndlessView& shown, const CurveStyle& style) : ViewSnapshot(style), view_(shown) {}

    std::unique_ptr<ViewPicture> Picture(const ViewPlacement& placement, const CurveStyle& style) override
    {
        return renderer_.Picture(placement, style);
    }

private:
    EndlessView view_;
    EndlessRenderer renderer_{view_};
};

} // namespace

std::unique_ptr<ViewSnapshot> ViewSnapshot::Of(const FractalSession& session)
{
    if (session.EndlessShown())
        return std::make_unique<EndlessSnapshot>(session.Endless(), session.Style());
    return std::make_unique<PolylineSnapshot>(session.Viewer, session.Style());
}
