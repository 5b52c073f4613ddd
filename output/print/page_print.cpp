#include "output/print/page_print.h"

#include "output/print/paper_style.h"
#include "view/view_renderer.h"

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

void PagePrint::Draw(ViewRenderer& view, const CurveStyle& paneStyle, bool background)
{
    const PixelRect page{0, 0, printer_.width(), printer_.height()};
    view.Picture(ViewPlacement::FittedTo(page), PaperStyle(paneStyle, background))->Draw(painter_);
}

void PagePrint::End()
{
    if (painter_.isActive())
        painter_.end();
}
