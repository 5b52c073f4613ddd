#include "output/avi/frame_canvas.h"

#include "output/avi/avi_error.h"

#include <QPainter>

const QImage& FrameCanvas::Compose(const QImage& picture, QSize size, bool stretch)
{
    if (picture.isNull())
        throw AviError("Invalid bitmap");
    // Holding on to a ready picture would share it, and the caller's next
    // drawing into it would then copy the whole picture.
    if (picture.size() == size
        && (picture.format() == QImage::Format_RGB32
            || (picture.format() == QImage::Format_Mono && picture.colorCount() >= 2)))
        return picture;
    if (stretch) {
        // Nearest pixels, so that no colours are made up in between.
        frame_ = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                     .convertToFormat(QImage::Format_RGB32);
    } else {
        if (frame_.size() != size || frame_.format() != QImage::Format_RGB32)
            frame_ = QImage(size, QImage::Format_RGB32);
        frame_.fill(picture.pixel(0, 0));
        QPainter painter(&frame_);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, picture);
    }
    return frame_;
}
