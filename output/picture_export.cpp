#include "picture_export.h"

#include "bmp_writer.h"
#include "fract_viewer.h"
#include "jpeg_writer.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <cstdio> // before jpeglib.h, which uses FILE
#include <new>
#include <stdexcept>

#include <jpeglib.h>

namespace {

void Draw(FractViewer& viewer, bool lines, QPainter& painter)
{
    if (lines)
        viewer.DrawLines(painter);
    else
        viewer.DrawPoints(painter);
}

QImage RasterPicture(FractViewer& viewer, bool lines, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        throw PictureSizeError("picture too large");
    QPainter painter(&image);
    Draw(viewer, lines, painter);
    return image;
}

QByteArray MetafileBytes(FractViewer& viewer, bool lines, int width, int height, const ReferenceScreen& screen,
                         PictureFormat format)
{
    MetafileDevice metafile(width, height, screen);
    {
        QPainter painter(&metafile);
        Draw(viewer, lines, painter);
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

QByteArray PictureBytes(FractViewer& viewer, bool lines, int width, int height, const ReferenceScreen& screen,
                        PictureFormat format)
{
    switch (format) {
    case PictureFormat::Bmp:
        return BmpFileBytes(RasterPicture(viewer, lines, width, height));
    case PictureFormat::Jpeg:
        return JpegFileBytes(RasterPicture(viewer, lines, width, height), kJpegQuality);
    case PictureFormat::Wmf:
    case PictureFormat::Emf:
        return MetafileBytes(viewer, lines, width, height, screen, format);
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
    QByteArray bytes;
    try {
        bytes = PictureBytes(viewer, lines, width, height, screen, format);
    } catch (const ExportError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw PictureSizeError("picture too large");
    } catch (const std::length_error&) {
        throw PictureSizeError("picture too large");
    } catch (const std::exception& e) {
        throw ExportError(e.what());
    }
    WriteFile(path, bytes);
}
