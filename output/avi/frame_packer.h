#pragma once

#include "output/avi/colour_table.h"

#include <QByteArray>
#include <QHash>
#include <QImage>

#include <optional>

// Turns frames of one size into the stored pixel rows: bottom row first,
// each padded to whole 32-bit words, with 1, 4 or 8 bits of colour-table
// index or 24 bits of blue, green, red per pixel. A frame is a picture in
// QImage::Format_RGB32, or in Format_Mono with two colours in its table,
// which a 1-bit stream takes byte for byte.
class FramePacker {
public:
    // The colour table (up to 8 bits) is taken from the first frame.
    FramePacker(const QImage& firstFrame, int bits);

    QList<QRgb> Colours() const;
    // The rows of frame; valid until the next call.
    const QByteArray& Pack(const QImage& frame);

private:
    int Index(QRgb colour);
    void PackRgb(const QImage& frame);
    void PackMono(const QImage& frame);
    bool PackTwoColourRow(const QRgb* in, uchar* out, int width) const;
    void PackIndexedRow(const QRgb* in, uchar* out, int width);
    static void PackTrueColourRow(const QRgb* in, uchar* out, int width);

    int bits_;
    std::optional<ColourTable> table_;
    QHash<QRgb, int> known_;
    QByteArray rows_;
};
