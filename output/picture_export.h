#pragma once

#include "model/atomic_file.h"
#include "model/work_progress.h"
#include "output/metafile/metafile_device.h"

#include <QString>

#include <stdexcept>

class ViewPicture;

enum class PictureFormat { Bmp, Jpeg, Wmf, Emf, Png, Svg, Pdf, Avi, Mp4, WebM, Gif, Unsupported };

// By the file name's extension, compared in lower case.
PictureFormat PictureFormatOf(const QString& fileName);

// A clip a recording writes to.
inline bool IsClipFormat(PictureFormat format)
{
    return format == PictureFormat::Avi || format == PictureFormat::Mp4 || format == PictureFormat::WebM
        || format == PictureFormat::Gif;
}

// A format WritePicture can write.
inline bool IsPictureFormat(PictureFormat format)
{
    return format != PictureFormat::Unsupported && !IsClipFormat(format);
}

// A picture that cannot be made: a size of zero or below, one too large to
// allocate or for its format to hold, or a file that cannot be written.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The size itself is the trouble: zero or below, too large to allocate, or
// too large for the format's fields (a bitmap file over 4 GiB, a JPEG side
// over 65500 pixels, an EMF frame beyond 32 bits, a WMF box beyond 16 bits,
// a PDF page beyond what readers show).
class PictureSizeError : public ExportError {
public:
    using ExportError::ExportError;
};

// The file cannot be made or written: a missing folder, one without write
// permission, a full disk. The message is the system's reason.
class PictureFileError : public ExportError {
public:
    using ExportError::ExportError;
};

constexpr int kJpegQuality = 90;

// Whether a picture of this size fits every field of the format, on the
// given reference screen (the metafiles' frames are in hundredths of a
// millimetre). Sizes of zero or below fit no format.
bool FormatHolds(PictureFormat format, int width, int height, const ReferenceScreen& screen);
// Whether one of BMP, JPEG, EMF and WMF holds the size, metafiles on a 96
// dpi screen: an export size no such format holds is no size to keep.
bool SomeFormatHolds(int width, int height);
// Throws PictureSizeError unless the format holds the size. Ask before
// fitting a view to the size: no arithmetic on it can overflow then.
void CheckPictureSize(PictureFormat format, int width, int height, const ReferenceScreen& screen);

// Draws the view, placed on (0, 0, width, height), into a picture of that
// size and writes it to path in the format of its extension (BMP, JPEG, WMF,
// EMF, PNG, SVG or PDF). The file is replaced only when the
// whole picture is written. Every failure is an ExportError, running out of
// memory included; the old file then stays as it was and no new file is
// left behind. The progress hears of every row of a raster picture and of
// the drawing and writing of any other; cancelled, the writing stops with
// WorkCancelled, leaving the files as an ExportError would.
void WritePicture(const ViewPicture& view, int width, int height, const QString& path,
                  const ReferenceScreen& screen, WorkProgress& progress = WorkProgress::Unwatched());
// The same into a file the caller opened.
void WritePicture(const ViewPicture& view, int width, int height, PictureFormat format, PendingFile& file,
                  const ReferenceScreen& screen, WorkProgress& progress = WorkProgress::Unwatched());
