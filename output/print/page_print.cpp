#include "output/print/page_print.h"

#include "output/print/paper_colors.h"
#include "output/print/saved_mapping.h"
#include "view/fract_viewer.h"

#include <QPrinter>

QString PrintJobTitle(const QString& fileTitle)
{
    return QStringLiteral("Ornalix - ") + fileTitle;
}

bool PagePrint::Begin(const QString& title)
{
    printer_.setDocName(title);
    printer_.setFullPage(false);
    printer_.setResolution(kPrintResolution);
    return painter_.begin(&printer_);
}

void PagePrint::Draw(FractViewer& viewer, bool background, bool lines)
{
    const PaperColors colors(viewer, background);
    const SavedMapping mapping(viewer);
    viewer.SetRect({0, 0, printer_.width(), printer_.height()});
    viewer.Transform();
    if (lines)
        viewer.DrawLines(painter_);
    else
        viewer.DrawDots(painter_, kPrintDotRadius);
}

void PagePrint::End()
{
    if (painter_.isActive())
        painter_.end();
}
