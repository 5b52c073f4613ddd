#include "output/avi/colour_table.h"

#include <QSet>

namespace {

constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51; // 255 / (kCubeLevels - 1)
constexpr int kGreyLevels = 40;

int Distance(QRgb a, QRgb b)
{
    const int r = qRed(a) - qRed(b);
    const int g = qGreen(a) - qGreen(b);
    const int bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

// Up to limit + 1 distinct colours in the order they first appear, so that
// more than limit can be told from exactly limit.
QList<QRgb> DistinctColours(const QImage& image, int limit)
{
    QList<QRgb> found;
    QSet<QRgb> seen;
    QRgb last = 0;
    bool any = false;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = row[x] | 0xFF000000;
            if (any && c == last)
                continue;
            any = true;
            last = c;
            if (!seen.contains(c)) {
                seen.insert(c);
                found.append(c);
                if (found.size() > limit)
                    return found;
            }
        }
    }
    return found;
}

QList<QRgb> FixedPalette(int bits)
{
    if (bits == 1)
        return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    if (bits == 4)
        return {qRgb(0, 0, 0), qRgb(128, 0, 0), qRgb(0, 128, 0), qRgb(128, 128, 0),
                qRgb(0, 0, 128), qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
                qRgb(128, 128, 128), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0),
                qRgb(0, 0, 255), qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    QList<QRgb> palette;
    for (int r = 0; r < kCubeLevels; ++r)
        for (int g = 0; g < kCubeLevels; ++g)
            for (int b = 0; b < kCubeLevels; ++b)
                palette.append(qRgb(r * kCubeStep, g * kCubeStep, b * kCubeStep));
    // Greys between the cube's own, evenly spread.
    for (int i = 1; i <= kGreyLevels; ++i) {
        const int v = i * 255 / (kGreyLevels + 1);
        palette.append(qRgb(v, v, v));
    }
    return palette;
}

} // namespace

ColourTable::ColourTable(const QImage& firstFrame, int bits)
{
    const int capacity = 1 << bits;
    colours_ = DistinctColours(firstFrame, capacity);
    if (colours_.size() > capacity || colours_.isEmpty()) {
        colours_ = FixedPalette(bits);
    } else if (colours_.size() == 1) {
        const QRgb black = qRgb(0, 0, 0);
        const QRgb white = qRgb(255, 255, 255);
        const QRgb only = colours_.front();
        colours_.append(Distance(only, black) >= Distance(only, white) ? black : white);
    }
}

int ColourTable::Nearest(QRgb colour) const
{
    int best = 0;
    int bestDistance = Distance(colour, colours_[0]);
    for (int i = 1; i < colours_.size() && bestDistance > 0; ++i) {
        const int d = Distance(colour, colours_[i]);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}
