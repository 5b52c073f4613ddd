#include "output/picture_export.h"

#include "model/atomic_file.h"
#include "model/work_progress.h"
#include "output/metafile/metafile_limits.h"
#include "output/raster/banded_picture.h"
#include "output/raster/bmp_writer.h"
#include "output/raster/jpeg_writer.h"
#include "output/raster/png_writer.h"
#include "output/vector/pdf_picture.h"
#include "output/vector/svg_picture.h"
#include "view/view_renderer.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cstdio> // before jpeglib.h, which uses FILE
#include <new>
#include <stdexcept>

#include <jpeglib.h>

namespace {

void ToRgb(const QRgb* in, int width, unsigned char* out)
{
    for (int x = 0; x < width; ++x) {
        *out++ = static_cast<unsigned char>(qRed(in[x]));
        *out++ = static_cast<unsigned char>(qGreen(in[x]));
        *out++ = static_cast<unsigned char>(qBlue(in[x]));
    }
}

// The rows of a banded picture, which a writer reads up to passes times:
// each row tells how far the writer is, and the work stops between two
// rows, so between two bands, once it is cancelled.
class WatchedRows {
public:
    WatchedRows(const ViewPicture& view, int width, int height, WorkProgress& progress, int passes = 1)
        : picture_(view, width, height), progress_(progress), rows_(qint64{passes} * height)
    {
    }

    const QRgb* Row(int y)
    {
        ThrowIfCancelled(progress_);
        const QRgb* row = picture_.Row(y);
        progress_.Report(std::min(++read_, rows_), rows_);
        return row;
    }
    // The writer needs no more rows, also where it ends a pass early.
    void Done() { progress_.Report(rows_, rows_); }

private:
    BandedPicture picture_;
    WorkProgress& progress_;
    qint64 rows_;
    qint64 read_ = 0;
};

QByteArray JpegBytes(const ViewPicture& view, int width, int height, WorkProgress& progress)
{
    WatchedRows picture(view, width, height, progress);
    return JpegFileBytes(width, height, kJpegQuality,
                         [&](int y, unsigned char* rgb) { ToRgb(picture.Row(y), width, rgb); });
}

// The palette's pass, which ends early at a palette's worth of colours,
// and the compression's.
constexpr int kPngPasses = 2;

QByteArray PngBytes(const ViewPicture& view, int width, int height, WorkProgress& progress)
{
    WatchedRows picture(view, width, height, progress, kPngPasses);
    QByteArray bytes = PngFileBytes(width, height, [&picture](int y) { return picture.Row(y); });
    picture.Done();
    return bytes;
}

// The bitmap goes to the file as its rows are drawn.
void WriteBmpFile(const ViewPicture& view, int width, int height, PendingFile& file, WorkProgress& progress)
{
    WatchedRows picture(view, width, height, progress);
    WritePendingFile(file, [&](QIODevice& out) { WriteBmp(out, width, height, [&](int y) { return picture.Row(y); }); });
}

QByteArray MetafileBytes(const ViewPicture& view, int width, int height, const ReferenceScreen& screen,
                         PictureFormat format)
{
    MetafileDevice metafile(width, height, screen);
    {
        QPainter painter(&metafile);
        view.Draw(painter);
    }
    return format == PictureFormat::Emf ? metafile.EmfBytes() : metafile.PlaceableWmfBytes();
}

// A picture made whole before it is written: cancelled by then, the work
// stops before the file is touched.
void WriteBytes(PendingFile& file, const QByteArray& bytes, const WorkProgress& progress)
{
    ThrowIfCancelled(progress);
    WritePendingFile(file, [&bytes](QIODevice& out) { WriteAll(out, bytes.constData(), bytes.size()); });
}

// Vector pictures and metafiles have two steps: the drawing, and the
// writing of what it made.
void WriteDrawn(PendingFile& file, const QByteArray& bytes, WorkProgress& progress)
{
    progress.Report(1, 2);
    WriteBytes(file, bytes, progress);
    progress.Report(2, 2);
}

// Writes the picture; failures other than the file's own are raised as the
// standard exceptions of the writers.
void WriteFormat(const ViewPicture& view, int width, int height, PendingFile& file,
                 const ReferenceScreen& screen, PictureFormat format, WorkProgress& progress)
{
    switch (format) {
    case PictureFormat::Bmp:
        WriteBmpFile(view, width, height, file, progress);
        break;
    case PictureFormat::Jpeg:
        WriteBytes(file, JpegBytes(view, width, height, progress), progress);
        break;
    case PictureFormat::Wmf:
    case PictureFormat::Emf:
        WriteDrawn(file, MetafileBytes(view, width, height, screen, format), progress);
        break;
    case PictureFormat::Png:
        WriteBytes(file, PngBytes(view, width, height, progress), progress);
        break;
    case PictureFormat::Svg:
        WriteDrawn(file, SvgBytes(view, QSize(width, height)), progress);
        break;
    case PictureFormat::Pdf:
        WriteDrawn(file, PdfBytes(view, QSize(width, height)), progress);
        break;
    default:
        throw ExportError("unsupported picture format");
    }
}

// Every failure as an ExportError; the pending file is removed by then.
// Cancelled work passes on as it is.
void WriteChecked(const ViewPicture& view, int width, int height, PendingFile& file,
                  const ReferenceScreen& screen, PictureFormat format, WorkProgress& progress)
{
    try {
        WriteFormat(view, width, height, file, screen, format, progress);
    } catch (const WorkCancelled&) {
        file.Discard();
        throw;
    } catch (const ExportError&) {
        file.Discard();
        throw;
    } catch (const FileWriteError& e) {
        file.Discard();
        throw PictureFileError(e.what());
    } catch (const std::bad_alloc&) {
        file.Discard();
        throw PictureSizeError("picture too large");
    } catch (const std::length_error&) {
        file.Discard();
        throw PictureSizeError("picture too large");
    } catch (const std::exception& e) {
        file.Discard();
        throw ExportError(e.what());
    }
}

} // namespace

PictureFormat PictureFormatOf(const QString& fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot < 0 ? QString() : name.mid(dot).toLower();
    if (ext == QLatin1String(".bmp"))
        return PictureFormat::Bmp;
    if (ext == QLatin1String(".jpg"))
        return PictureFormat::Jpeg;
    if (ext == QLatin1String(".wmf"))
        return PictureFormat::Wmf;
    if (ext == QLatin1String(".emf"))
        return PictureFormat::Emf;
    if (ext == QLatin1String(".png"))
        return PictureFormat::Png;
    if (ext == QLatin1String(".svg"))
        return PictureFormat::Svg;
    if (ext == QLatin1String(".pdf"))
        return PictureFormat::Pdf;
    if (ext == QLatin1String(".avi"))
        return PictureFormat::Avi;
    if (ext == QLatin1String(".mp4"))
        return PictureFormat::Mp4;
    if (ext == QLatin1String(".webm"))
        return PictureFormat::WebM;
    if (ext == QLatin1String(".gif"))
        return PictureFormat::Gif;
    return PictureFormat::Unsupported;
}

bool FormatHolds(PictureFormat format, int width, int height, const ReferenceScreen& screen)
{
    if (width <= 0 || height <= 0)
        return false;
    switch (format) {
    case PictureFormat::Bmp:
        return BmpFileSize(width, height) <= kLargestBmpFile;
    case PictureFormat::Jpeg:
        return width <= JPEG_MAX_DIMENSION && height <= JPEG_MAX_DIMENSION;
    case PictureFormat::Emf:
        return EmfHolds(QSize(width, height), screen);
    case PictureFormat::Wmf:
        return WmfHolds(QSize(width, height), screen);
    case PictureFormat::Pdf:
        return PdfHolds(QSize(width, height));
    default:
        return true;
    }
}

bool SomeFormatHolds(int width, int height)
{
    const ReferenceScreen standIn = StandInReferenceScreen();
    for (const PictureFormat format : {PictureFormat::Bmp, PictureFormat::Jpeg, PictureFormat::Emf, PictureFormat::Wmf})
        if (FormatHolds(format, width, height, standIn))
            return true;
    return false;
}

void CheckPictureSize(PictureFormat format, int width, int height, const ReferenceScreen& screen)
{
    if (width <= 0 || height <= 0)
        throw PictureSizeError("empty picture");
    if (!FormatHolds(format, width, height, screen))
        throw PictureSizeError("picture too large for its format");
}

void WritePicture(const ViewPicture& view, int width, int height, const QString& path,
                  const ReferenceScreen& screen, WorkProgress& progress)
{
    const PictureFormat format = PictureFormatOf(path);
    CheckPictureSize(format, width, height, screen);
    std::unique_ptr<PendingFile> file;
    try {
        file = OpenPendingFile(path);
    } catch (const FileWriteError& e) {
        throw PictureFileError(e.what());
    }
    WriteChecked(view, width, height, *file, screen, format, progress);
}

void WritePicture(const ViewPicture& view, int width, int height, PictureFormat format, PendingFile& file,
                  const ReferenceScreen& screen, WorkProgress& progress)
{
    try {
        CheckPictureSize(format, width, height, screen);
    } catch (const ExportError&) {
        file.Discard();
        throw;
    }
    WriteChecked(view, width, height, file, screen, format, progress);
}
