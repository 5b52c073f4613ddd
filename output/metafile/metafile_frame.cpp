#include "output/metafile/metafile_frame.h"

#include <cmath>

std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c)
{
    const std::int64_t product = a * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c);
    return negative ? -magnitude : magnitude;
}

QSize HundredthsOfMillimetre(const ReferenceScreen& screen)
{
    return {static_cast<int>(std::lround(screen.Millimetres.width() * 100.0)),
            static_cast<int>(std::lround(screen.Millimetres.height() * 100.0))};
}

WideSize WideFrameSize(QSize pixels, const ReferenceScreen& screen)
{
    const QSize physical = HundredthsOfMillimetre(screen);
    return {MulDiv(pixels.width(), physical.width(), screen.Pixels.width()),
            MulDiv(pixels.height(), physical.height(), screen.Pixels.height())};
}

QSize FrameSize(QSize pixels, const ReferenceScreen& screen)
{
    const WideSize frame = WideFrameSize(pixels, screen);
    return {static_cast<int>(frame.Width), static_cast<int>(frame.Height)};
}
