#pragma once

#include "view/curve_style.h"
#include "view/view_renderer.h"

#include <memory>

class FractalSession;

// The view as it was when an output began (an export, a printed page),
// copied whole with its style: the output draws it on a thread of its own,
// as often as it likes, while the session goes on, and an animation or a
// zoom meanwhile changes nothing the output writes. Nothing in it refers
// to the session.
class ViewSnapshot {
public:
    virtual ~ViewSnapshot() = default;
    // The copy's picture, as the session's renderer would have drawn it
    // when the copy was taken.
    virtual std::unique_ptr<ViewPicture> Picture(const ViewPlacement& placement, const CurveStyle& style) = 0;
    const CurveStyle& Style() const { return style_; }

    static std::unique_ptr<ViewSnapshot> Of(const FractalSession& session);

protected:
    explicit ViewSnapshot(const CurveStyle& style) : style_(style) {}

private:
    CurveStyle style_;
};
