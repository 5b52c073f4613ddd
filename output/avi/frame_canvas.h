#pragma once

#include <QImage>
#include <QSize>

// Makes the frame of a given picture, in QImage::Format_RGB32: the picture
// scaled to the frame size (stretch), or drawn unscaled at the top left on
// the colour of its own top-left pixel. A picture that already is such a
// frame, or a two-colour Format_Mono picture of the frame's size, is used
// as it is, without a copy.
class FrameCanvas {
public:
    // Valid until the next call and while picture lives. Throws AviError
    // for a null picture.
    const QImage& Compose(const QImage& picture, QSize size, bool stretch);

private:
    QImage frame_;
};
