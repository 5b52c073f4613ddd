#include "output/picture_export.h"

#include "model/atomic_file.h"
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

QByteArray JpegBytes(const ViewPicture& view, int width, int height)
{
    BandedPicture picture(view, width, height);
    return JpegFileBytes(width, height, kJpegQuality,
                         [&](int y, unsigned char* rgb) { ToRgb(picture.Row(y), width, rgb); });
}

QByteArray PngBytes(const ViewPicture& view, int width, int height)
{
    BandedPicture picture(view, width, height);
    return PngFileBytes(width, height, [&picture](int y) { return picture.Row(y); });
}

// The bitmap goes to the file as its rows are drawn.
void WriteBmpFile(const ViewPicture& view, int width, int height, PendingFile& file)
{
    BandedPicture picture(view, width, height);
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

void WriteBytes(PendingFile& file, const QByteArray& bytes)
{
    WritePendingFile(file, [&bytes](QIODevice& out) { WriteAll(out, bytes.constData(), bytes.size()); });
}

// Writes the picture; failures other than the file's own are raised as the
// standard exceptions of the writers.
void WriteFormat(const ViewPicture& view, int width, int height, PendingFile& file,
                 const ReferenceScreen& screen, PictureFormat format)
{
    switch (format) {
    case PictureFormat::Bmp:
        WriteBmpFile(view, width, height, file);
        break;
    case PictureFormat::Jpeg:
        WriteBytes(file, JpegBytes(view, width, height));
        break;
    case PictureFormat::Wmf:
    case PictureFormat::Emf:
        WriteBytes(file, MetafileBytes(view, width, height, screen, format));
        break;
    case PictureFormat::Png:
        WriteBytes(file, PngBytes(view, width, height));
        break;
    case PictureFormat::Svg:
        WriteBytes(file, SvgBytes(view, QSize(width, height)));
        break;
    case PictureFormat::Pdf:
        WriteBytes(file, PdfBytes(view, QSize(width, height)));
        break;
    default:
        throw ExportError("unsupported picture format");
    }
}

// Every failure as an ExportError; the pending file is removed by then.
void WriteChecked(const ViewPicture& view, int width, int height, PendingFile& file,
                  const ReferenceScreen& screen, PictureFormat format)
{
    try {
        WriteFormat(view, width, height, file, screen, format);
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
                  const ReferenceScreen& screen)
{
    const PictureFormat format = PictureFormatOf(path);
    CheckPictureSize(format, width, height, screen);
    std::unique_ptr<PendingFile> file;
    try {
        file = OpenPendingFile(path);
    } catch (const FileWriteError& e) {
        throw PictureFileError(e.what());
    }
    WriteChecked(view, width, height, *file, screen, format);
}

void WritePicture(const ViewPicture& view, int width, int height, PictureFormat format, PendingFile& file,
                  const ReferenceScreen& screen)
{
    try {
        CheckPictureSize(format, width, height, screen);
    } catch (const ExportError&) {
        file.Discard();
        throw;
    }
    WriteChecked(view, width, height, file, screen, format);
}
