#pragma once

#include "view/fract_viewer.h"

// Two above the generator's capacity, so a full generator from a file shows
// and picks every node (the last slot is never used).
constexpr int kEditorCapacity = kGeneratorCapacity + 2;

// The generator itself at depth 1, with a circle on every node but the
// first: picks a node, drags it, and snaps the generator to the rasters.
class FractEditor : public FractViewer {
public:
    FractEditor(FractModel& model, int capacity);

    void Paint(QPainter& painter);
    // Picks the highest node strictly within NodeRadius of (x, y), or none (0).
    void HitTest(int x, int y);
    // Moves PickedNode to (x, y): an inner node carries the rest of the
    // polyline rigidly, the last node only turns its edge.
    void DragTo(int x, int y);
    void SnapToRaster();

    int NodeRadius = 5;
    int PickedNode = 0;
    int LenRaster = 0;
    int AngRaster = 0;

private:
    Complex scratch_;
};
