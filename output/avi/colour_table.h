#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

// The one colour table of a stream of 1, 4 or 8 bits per pixel, fixed with
// the first frame. When the first frame's colours fit they are the table (a
// single colour gets black or white beside it, whichever differs more), so a
// two-colour picture keeps exactly its colours. Otherwise a fixed palette:
// black and white for 1 bit, the 16 colours of the classic VGA palette for 4
// bits, and for 8 bits the 6 x 6 x 6 colour cube followed by 40 greys.
class ColourTable {
public:
    ColourTable(const QImage& firstFrame, int bits);

    const QList<QRgb>& Colours() const { return colours_; }
    // The index of the entry closest to colour, by distance in RGB.
    int Nearest(QRgb colour) const;

private:
    QList<QRgb> colours_;
};
