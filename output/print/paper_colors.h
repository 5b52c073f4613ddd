#pragma once

#include "view/color_ref.h"

class FractViewer;

// While it lives, the view has the colours it is printed in; afterwards,
// also after a failure, it has its own again.
class PaperColors {
public:
    // Without the background the paper stays white, and a white curve
    // becomes black so that it does not vanish on it.
    PaperColors(FractViewer& viewer, bool background);
    ~PaperColors();
    PaperColors(const PaperColors&) = delete;
    PaperColors& operator=(const PaperColors&) = delete;

private:
    FractViewer& viewer_;
    ColorRef fgColor_;
    ColorRef bgColor_;
};
