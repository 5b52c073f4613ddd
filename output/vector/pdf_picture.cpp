#include "output/vector/pdf_picture.h"

#include "view/view_renderer.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr int kPointsPerInch = 72;

} // namespace

bool PdfHolds(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= kLargestPdfPageSide
        && size.height() <= kLargestPdfPageSide;
}

QByteArray PdfBytes(const ViewPicture& view, QSize size)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(QStringLiteral("Ornalix"));
        pdf.setCreator(QStringLiteral("Ornalix"));
        pdf.setResolution(kPointsPerInch);
        pdf.setPageLayout(QPageLayout(QPageSize(size, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&pdf);
        view.Draw(painter);
    }
    return buffer.data();
}
