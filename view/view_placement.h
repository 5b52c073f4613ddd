#pragma once

#include "view/pixel_rect.h"

// Where an output shows the current view. Every output asks for one of
// three placements, and none of them moves the view itself:
// - fitted: the view window fitted into a rectangle anew, as an export or a
//   printed page does;
// - as shown: the pane's pixels as they stand, as the clipboard takes them
//   (on a screen with more device pixels than pane pixels, the pane's
//   pixels scaled into its device pixels, so that a line stays one device
//   pixel wide rather than a ratio's worth);
// - scaled: the pane's pixels scaled about its top-left corner, as a video
//   frame of another size than the pane takes them.
struct ViewPlacement {
    enum class Kind { Fitted, AsShown, Scaled };

    Kind Mode = Kind::AsShown;
    // The picture's rectangle, which is filled with the background: the
    // rectangle fitted into, the pane's, or the frame's.
    PixelRect Rect;
    // Scaled only: pane pixels to picture pixels.
    double Scale = 1.0;

    static ViewPlacement FittedTo(const PixelRect& rect) { return {Kind::Fitted, rect, 1.0}; }
    static ViewPlacement AsShownIn(const PixelRect& pane, double pixelRatio = 1.0)
    {
        if (pixelRatio == 1.0)
            return {Kind::AsShown, pane, 1.0};
        return ScaledBy(pixelRatio, Scaled(pane, pixelRatio));
    }
    static ViewPlacement ScaledBy(double scale, const PixelRect& frame) { return {Kind::Scaled, frame, scale}; }
};
