#pragma once

#include "view/curve_style.h"

#include <QPainter>
#include <QString>

class ViewRenderer;
class QPrinter;

// The resolution pages are drawn at, that of a usual office printer: a
// one-pixel line is still visible on paper there.
constexpr int kPrintResolution = 600;

// The name the job carries in the printer's queue.
QString PrintJobTitle(const QString& fileTitle);

// One print job of one page. The job is ended when it is destroyed, also
// after a failure, so none is ever left open.
class PagePrint {
public:
    explicit PagePrint(QPrinter& printer) : printer_(printer) {}
    ~PagePrint() { End(); }
    PagePrint(const PagePrint&) = delete;
    PagePrint& operator=(const PagePrint&) = delete;

    // Names the job and begins it on the printable area at the print
    // resolution; false when the printer cannot start.
    bool Begin(const QString& title);
    // Draws the view fitted to the printable area, in the pane's style as
    // it goes on paper, with or without its background.
    void Draw(ViewRenderer& view, const CurveStyle& paneStyle, bool background);
    // Sends the page.
    void End();

private:
    QPrinter& printer_;
    QPainter painter_;
};
