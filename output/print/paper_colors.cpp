#include "output/print/paper_colors.h"

#include "view/fract_viewer.h"

PaperColors::PaperColors(FractViewer& viewer, bool background)
    : viewer_(viewer), fgColor_(viewer.FgColor), bgColor_(viewer.BgColor)
{
    if (background)
        return;
    viewer.BgColor = kWhite;
    if (viewer.FgColor == kWhite)
        viewer.FgColor = kBlack;
}

PaperColors::~PaperColors()
{
    viewer_.FgColor = fgColor_;
    viewer_.BgColor = bgColor_;
}
