#pragma once

#include <QImage>

class ViewPicture;

// The picture of a view placed on it, drawn a band of rows at a time into one
// small reused image, so that a large export never holds, nor waits to
// allocate, the whole picture. Each band shows exactly the pixels the whole
// picture would.
class BandedPicture {
public:
    // Throws PictureSizeError when not even one band can be allocated.
    BandedPicture(const ViewPicture& view, int width, int height);

    int Width() const { return band_.width(); }
    int Height() const { return height_; }
    // Row y of the picture, 0 at the top; valid until the next call.
    const QRgb* Row(int y);

private:
    void DrawBand(int top);

    const ViewPicture& view_;
    int height_;
    QImage band_;
    int bandTop_ = -1;
};
