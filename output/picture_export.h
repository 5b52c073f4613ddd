#pragma once

#include "metafile_device.h"

#include <QString>

#include <stdexcept>

class FractViewer;

enum class PictureFormat { Bmp, Jpeg, Wmf, Emf, Avi, Unsupported };

// By the file name's extension, compared in lower case.
PictureFormat PictureFormatOf(const QString& fileName);

// A format WritePicture can write.
inline bool IsPictureFormat(PictureFormat format)
{
    return format != PictureFormat::Unsupported && format != PictureFormat::Avi;
}

// A picture that cannot be made: a size of zero or below, one too large to
// allocate or for its format to hold, or a file that cannot be written.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The size itself is the trouble: zero or below, too large to allocate, or
// too large for the format (a bitmap file over 4 GiB, a JPEG side over
// 65500 pixels).
class PictureSizeError : public ExportError {
public:
    using ExportError::ExportError;
};

constexpr int kJpegQuality = 90;

// Draws the viewer, already fitted to (0, 0, width, height), as lines or
// points into a picture of that size and writes it to path in the format of
// its extension (BMP, JPEG, WMF or EMF). The file is replaced only when the
// whole picture is written. Every failure is an ExportError, running out of
// memory included.
void WritePicture(FractViewer& viewer, bool lines, int width, int height, const QString& path,
                  const ReferenceScreen& screen);
