#pragma once

#include "model/start_generator.h"
#include "view/fract_viewer.h"

// The start curve at a depth, fitted into a picture of the given size.
struct FittedCurve {
    FittedCurve(int depth, int width, int height)
    {
        MakeStartGenerator(generator);
        viewer.Depth = depth;
        viewer.Recalculate();
        viewer.SetRect({0, 0, width, height});
        viewer.Transform();
    }

    FractModel generator{10};
    FractViewer viewer{generator, 16384};
};
