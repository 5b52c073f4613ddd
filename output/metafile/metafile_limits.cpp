#include "output/metafile/metafile_limits.h"

#include "output/metafile/metafile_frame.h"
#include "output/metafile/wmf_header.h"

#include <algorithm>
#include <limits>

namespace {

bool FrameFits(const WideSize& frame)
{
    constexpr std::int64_t largest = std::numeric_limits<std::int32_t>::max();
    return frame.Width >= 0 && frame.Width <= largest && frame.Height >= 0 && frame.Height <= largest;
}

bool SidesFit(QSize picture)
{
    return picture.width() > 0 && picture.height() > 0 && picture.width() <= kLargestMetafileSide
           && picture.height() <= kLargestMetafileSide;
}

} // namespace

bool EmfHolds(QSize picture, const ReferenceScreen& screen)
{
    return SidesFit(picture) && FrameFits(WideFrameSize(picture, UsableScreen(screen)));
}

bool WmfHolds(QSize picture, const ReferenceScreen& screen)
{
    if (!SidesFit(picture))
        return false;
    const WideSize frame = WideFrameSize(picture, UsableScreen(screen));
    return FrameFits(frame) && PlaceableBoxHolds(std::max(frame.Width, frame.Height));
}
