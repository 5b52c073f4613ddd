#include "app/tform1.h"

#include "session/fractal_session.h"
#include "ui_tform1.h"

namespace {

constexpr int kCollapseWidth = 30;

} // namespace

void Tform1::ptbFractPaint(QPainter& canvas, double pixelRatio)
{
    session_.PaintFract(canvas, pixelRatio);
}

void Tform1::ptbEditorPaint(QPainter& canvas, double pixelRatio)
{
    session_.PaintEditor(canvas, pixelRatio);
}

void Tform1::LayoutEditor()
{
    session_.SetEditorPane(ui->ptbEditor->ClientRect());
    session_.LayoutEditor();
}

void Tform1::tbDepthChange()
{
    session_.SetDepth(ui->tbDepth->value());
}

void Tform1::optLinesClick()
{
    session_.SetLines(true);
}

void Tform1::optPointsClick()
{
    session_.SetLines(false);
}

// A drag that leaves the editor panel 30 pixels or less closes it.
void Tform1::Splitter1Moved()
{
    const QList<int> sizes = ui->Splitter1->sizes();
    if (sizes.value(0) > 0 && sizes.value(0) <= kCollapseWidth)
        ui->Splitter1->setSizes({0, sizes.value(0) + sizes.value(1)});
    LayoutEditor();
}

void Tform1::FormResize()
{
    LayoutEditor();
}
