#include "picture_export.h"

#include "banded_picture.h"
#include "bmp_writer.h"
#include "fract_viewer.h"
#include "jpeg_writer.h"

#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

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

QByteArray JpegBytes(FractViewer& viewer, bool lines, int width, int height)
{
    BandedPicture picture(viewer, lines, width, height);
    return JpegFileBytes(width, height, kJpegQuality,
                         [&](int y, unsigned char* rgb) { ToRgb(picture.Row(y), width, rgb); });
}

// The bitmap goes to the file as its rows are drawn.
void WriteBmpFile(FractViewer& viewer, bool lines, int width, int height, const QString& path)
{
    BandedPicture picture(viewer, lines, width, height);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ExportError(file.errorString().toStdString());
    WriteBmp(file, width, height, [&](int y) { return picture.Row(y); });
    if (!file.commit())
        throw ExportError(file.errorString().toStdString());
}

QByteArray MetafileBytes(FractViewer& viewer, bool lines, int width, int height, const ReferenceScreen& screen,
                         PictureFormat format)
{
    MetafileDevice metafile(width, height, screen);
    {
        QPainter painter(&metafile);
        viewer.DrawCurve(painter, lines);
    }
    return format == PictureFormat::Emf ? metafile.EmfBytes() : metafile.PlaceableWmfBytes();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw ExportError(file.errorString().toStdString());
}

// Whether the format can hold a picture of this size at all. It is asked
// before any pixels are allocated, so a size no file could take never costs
// the memory of its picture.
bool FormatHolds(PictureFormat format, int width, int height)
{
    switch (format) {
    case PictureFormat::Bmp:
        return BmpFileSize(width, height) <= kLargestBmpFile;
    case PictureFormat::Jpeg:
        return width <= JPEG_MAX_DIMENSION && height <= JPEG_MAX_DIMENSION;
    default:
        return true;
    }
}

// Writes the picture; failures other than the file's own are raised as the
// standard exceptions of the writers.
void WriteFormat(FractViewer& viewer, bool lines, int width, int height, const QString& path,
                 const ReferenceScreen& screen, PictureFormat format)
{
    switch (format) {
    case PictureFormat::Bmp:
        WriteBmpFile(viewer, lines, width, height, path);
        break;
    case PictureFormat::Jpeg:
        WriteFile(path, JpegBytes(viewer, lines, width, height));
        break;
    case PictureFormat::Wmf:
    case PictureFormat::Emf:
        WriteFile(path, MetafileBytes(viewer, lines, width, height, screen, format));
        break;
    default:
        throw ExportError("unsupported picture format");
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
    if (ext == QLatin1String(".avi"))
        return PictureFormat::Avi;
    return PictureFormat::Unsupported;
}

void WritePicture(FractViewer& viewer, bool lines, int width, int height, const QString& path,
                  const ReferenceScreen& screen)
{
    if (width <= 0 || height <= 0)
        throw PictureSizeError("empty picture");
    const PictureFormat format = PictureFormatOf(path);
    if (!FormatHolds(format, width, height))
        throw PictureSizeError("picture too large for its format");
    try {
        WriteFormat(viewer, lines, width, height, path, screen, format);
    } catch (const ExportError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw PictureSizeError("picture too large");
    } catch (const std::length_error&) {
        throw PictureSizeError("picture too large");
    } catch (const std::exception& e) {
        throw ExportError(e.what());
    }
}
