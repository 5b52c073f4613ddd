#pragma once

#include "output/metafile/metafile_device.h"

#include <QSize>

// The largest side a metafile picture may have: the paint engine and the
// bounds add a pixel and half a pen to coordinates, which stays within
// 32 bits below this.
constexpr int kLargestMetafileSide = 1 << 30;

// Whether every field of the format holds a picture of this size recorded
// against the screen: an EMF's frame in 32 bits, a placeable WMF's box in
// 16 bits even at one unit per inch.
bool EmfHolds(QSize picture, const ReferenceScreen& screen);
bool WmfHolds(QSize picture, const ReferenceScreen& screen);
