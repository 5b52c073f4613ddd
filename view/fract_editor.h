#pragma once

#include "view/fract_viewer.h"

#include <algorithm>

// Two above the generator's capacity, so a full generator from a file shows
// and picks every node (the last slot is never used).
constexpr int kEditorCapacity = kGeneratorCapacity + 2;

// A right click this close to an edge, in pixels, opens the edge's menu.
constexpr double kEdgeReach = 6.0;

// The generator itself at depth 1, with a circle on every node but the
// first and a mark on every oriented edge: picks a node or an edge, drags
// a node, and snaps the generator to the rasters.
class FractEditor : public FractViewer {
public:
    FractEditor(FractModel& model, int capacity);

    void Paint(QPainter& painter);
    // Picks the highest node strictly within NodeRadius of (x, y), or none (0).
    void HitTest(int x, int y);
    // The edge (from 0) nearest to (x, y) within kEdgeReach pixels, or -1.
    int EdgeAt(int x, int y) const;
    // Moves PickedNode to (x, y): an inner node carries the rest of the
    // polyline rigidly, the last node only turns its edge.
    void DragTo(int x, int y);
    void SnapToRaster();

    int NodeRadius = 5;
    int PickedNode = 0;
    int LenRaster = 0;
    int AngRaster = 0;

private:
    // The edges whose both nodes the editor holds.
    int Shown() const { return std::min(Model.Count, PointCount - 1); }

    Complex scratch_;
};
