#pragma once

#include "model/fract_model.h"

#include <algorithm>

// The generator the program starts with: a flat edge, a rising edge, a
// falling edge and a flat edge, all of length 1 and normal, whose items
// multiply to exactly (1, 0).
inline void MakeStartGenerator(FractModel& model)
{
    model.Count = 4;
    std::fill(model.Orientations.begin(), model.Orientations.end(), EdgeOrientation::Normal);
    model.Items[0].SetTo(1, 0);
    model.Items[1].SetTo(0.6, -0.8);
    model.Items[2].SetTo(-0.28, 0.96);
    model.Items[3].SetTo(0.6, -0.8);
}
