#include "output/print/paper_style.h"

CurveStyle PaperStyle(CurveStyle pane, bool background)
{
    if (pane.Shape == CurveStyle::Marks::Pixels) {
        pane.Shape = CurveStyle::Marks::Dots;
        pane.DotRadius = kPrintDotRadius;
    }
    if (background)
        return pane;
    pane.Background = kWhite;
    if (pane.Foreground == kWhite)
        pane.Foreground = kBlack;
    return pane;
}
