#include "app/tform1.h"

#include "ui_tform1.h"

#include <QPainter>

#include <algorithm>

namespace {

const QColor kRubberBandColor(0, 0, 255);

constexpr int kCollapseWidth = 30;

// The outline of a band drawn in any direction, covering the pixels from its
// smaller corner up to, not including, its larger one.
QRect OutlineRect(const PixelRect& band)
{
    const int left = std::min(band.Left, band.Right), right = std::max(band.Left, band.Right);
    const int top = std::min(band.Top, band.Bottom), bottom = std::max(band.Top, band.Bottom);
    return QRect(left, top, std::max(right - left - 1, 0), std::max(bottom - top - 1, 0));
}

} // namespace

QSize Tform1::FractPaneSize() const
{
    return ui->ptbFract->ClientRect().size();
}

bool Tform1::LinesChecked() const
{
    return ui->optLines->isChecked();
}

void Tform1::ptbFractPaint(QPainter& canvas)
{
    // During an animated zoom the timer moves the view step by step, and a
    // print job keeps the view mapped to the page: neither is re-fitted here.
    if (Mode != modeZooming && !Printing) {
        Viewer.SetRect(ToPixelRect(ui->ptbFract->ClientRect()));
        Viewer.Transform();
    }
    Viewer.DrawCurve(canvas, LinesChecked());
    if (Mode == modeRubberBand) {
        canvas.setBrush(Qt::NoBrush);
        canvas.setPen(QPen(kRubberBandColor, 1, Qt::DotLine));
        canvas.drawRect(OutlineRect(RubberBand));
        canvas.setPen(Qt::SolidLine);
    }
}

void Tform1::ptbEditorPaint(QPainter& canvas)
{
    Editor.Paint(canvas);
}

void Tform1::LayoutEditor()
{
    const QRect client = ui->ptbEditor->ClientRect();
    const int inset = Editor.NodeRadius;
    Editor.Recalculate();
    Editor.SetRect(ToPixelRect(client.adjusted(inset, inset, -inset, -inset)));
    Editor.TargetRect = ToPixelRect(client);
    Editor.Transform();
    ui->ptbEditor->repaint();
}

void Tform1::tbDepthChange()
{
    ui->lblDepth->setText(QString::number(ui->tbDepth->value()));
    Viewer.Depth = ui->tbDepth->value();
    Viewer.Recalculate();
    ui->ptbFract->repaint();
}

void Tform1::optLinesClick()
{
    ui->ptbFract->repaint();
}

void Tform1::optPointsClick()
{
    ui->ptbFract->repaint();
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
