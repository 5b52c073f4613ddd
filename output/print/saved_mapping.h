#pragma once

#include "model/complex.h"
#include "view/pixel_rect.h"

#include <vector>

class FractViewer;

// The view's coordinates and fit, taken when it is made and put back when it
// ends, so that fitting the view elsewhere for a while leaves the pane's
// picture and its zoom exactly as they were.
class SavedMapping {
public:
    explicit SavedMapping(FractViewer& viewer);
    ~SavedMapping();
    SavedMapping(const SavedMapping&) = delete;
    SavedMapping& operator=(const SavedMapping&) = delete;

private:
    FractViewer& viewer_;
    std::vector<Complex> points_;
    Complex boundsMin_;
    Complex boundsMax_;
    Complex windowMin_;
    Complex windowMax_;
    Complex offset_;
    double scale_;
    PixelRect targetRect_;
};
