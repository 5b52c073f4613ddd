#pragma once

#include <QPainter>
#include <QString>

class FractViewer;
class QPrinter;

// The resolution pages are drawn at, that of a usual office printer: a
// one-pixel line is still visible on paper there.
constexpr int kPrintResolution = 600;
// Points are printed as dots of this radius in printer pixels; single pixels
// would be too small on paper.
constexpr int kPrintDotRadius = 5;

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
    // Fits the view to the printable area and draws it as lines or as dots,
    // with or without its background. Afterwards, also after a failure, the
    // view has its own colours and its pane's coordinates again.
    void Draw(FractViewer& viewer, bool background, bool lines);
    // Sends the page.
    void End();

private:
    QPrinter& printer_;
    QPainter painter_;
};
