#include "output/print/saved_mapping.h"

#include "view/fract_viewer.h"

#include <algorithm>

SavedMapping::SavedMapping(FractViewer& viewer)
    : viewer_(viewer), points_(viewer.Points.begin(), viewer.Points.begin() + viewer.PointCount),
      boundsMin_(viewer.BoundsMin), boundsMax_(viewer.BoundsMax), windowMin_(*viewer.WindowMin),
      windowMax_(*viewer.WindowMax), offset_(viewer.Offset), scale_(viewer.Scale), targetRect_(viewer.TargetRect)
{
}

// The window corners go back before the bounds: when the window is the
// bounds, they are the same objects.
SavedMapping::~SavedMapping()
{
    std::copy(points_.begin(), points_.end(), viewer_.Points.begin());
    viewer_.WindowMin->Assign(windowMin_);
    viewer_.WindowMax->Assign(windowMax_);
    viewer_.BoundsMin.Assign(boundsMin_);
    viewer_.BoundsMax.Assign(boundsMax_);
    viewer_.Offset.Assign(offset_);
    viewer_.Scale = scale_;
    viewer_.TargetRect = targetRect_;
}
