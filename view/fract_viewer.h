#pragma once

#include "model/complex.h"
#include "model/fract_model.h"
#include "view/color_ref.h"
#include "view/curve_style.h"
#include "view/oriented_steps.h"
#include "view/pixel_rect.h"

#include <QPoint>

#include <array>
#include <vector>

class Canvas;
class QPainter;

// The program's views hold this many points: a depth-8 curve of a
// four-edge generator fills all but the last, unused slot.
constexpr int kCurveCapacity = 16384;

// The in-place mapping of a fit: every coordinate c becomes c * Scale + Offset.
struct ViewMapping {
    double Scale = 0.0;
    Complex Offset;
};

// Expands a generator into the iterated curve and draws it. The viewer keeps
// one set of coordinates: Recalculate fills it with curve coordinates,
// Transform overwrites it in place with pixel coordinates, and every later
// fit works on the pixels of the previous one.
class FractViewer {
public:
    // capacity is the number of point slots, at least 1; the last slot is
    // never used.
    FractViewer(FractModel& model, int capacity);
    // Deeper levels than this are never asked for (files and the slider stop
    // at 8); the expansion treats a larger depth as this one.
    static constexpr int kMaxLevels = 64;

    FractViewer(const FractViewer&) = delete;
    FractViewer& operator=(const FractViewer&) = delete;

    int Capacity() const { return static_cast<int>(Points.size()); }

    void Recalculate();
    // a and b become the window corners themselves (a <= b in both parts);
    // passing BoundsMin and BoundsMax makes the window the bounds again.
    void SetWindow(Complex& a, Complex& b);
    void ResetWindow();
    bool WindowIsBounds() const { return WindowMin == &BoundsMin || WindowMax == &BoundsMax; }
    // Fits the window into rect, keeping its aspect ratio and centring it.
    void SetRect(const PixelRect& rect);
    // The Scale and Offset SetRect(rect) would set, leaving the viewer as it is.
    ViewMapping FitMapping(const PixelRect& rect) const;
    // Maps window, bounds and points by Scale and Offset, in place.
    void Transform();

    void DrawLines(QPainter& painter);
    void DrawPoints(QPainter& painter);
    void DrawDots(QPainter& painter, int radius);
    // DrawLines or DrawPoints, as the display mode says.
    void DrawCurve(QPainter& painter, bool lines);
    // The viewer's colours and pen, with lines or single pixels.
    CurveStyle Style(bool lines) const;

    FractModel& Model;
    int Depth = 1;
    int Level = 0;
    int PointCount = 0;
    int PenWidth = 1;
    Complex BoundsMin;
    Complex BoundsMax;
    Complex* WindowMin = &BoundsMin;
    Complex* WindowMax = &BoundsMax;
    Complex Offset;
    Complex Direction;
    double Scale = 0.0;
    std::vector<Complex> Points;
    ColorRef BgColor = kWhite;
    ColorRef FgColor = kBlack;
    PixelRect TargetRect;

protected:
    // Fills TargetRect with the background and takes up the curve's pen.
    void PrepareCanvas(Canvas& canvas);
    std::vector<QPoint> pixelScratch_;

private:
    void Draw(QPainter& painter, CurveStyle::Marks shape, int dotRadius = 0);

    void Expand();
    void MapPoint(Complex& p) const
    {
        p.MulReal(Scale);
        p.Add(Offset);
    }

    // The expansion's place on each level: the next child, and the
    // orientation of the copy it is in.
    std::array<int, kMaxLevels + 1> nextEdge_{};
    std::array<EdgeOrientation, kMaxLevels + 1> orientation_{};
    OrientedSteps orientedSteps_;
};
