#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <QSizeF>

#include <memory>

// The screen a metafile is recorded against: its size in pixels and in
// millimetres decide the picture frame in hundredths of a millimetre.
struct ReferenceScreen {
    QSize Pixels;
    QSizeF Millimetres;
};

// The primary screen, or a 96 dpi stand-in where there is none.
ReferenceScreen PrimaryReferenceScreen();
// That stand-in: 1920 x 1080 pixels at 96 dpi.
ReferenceScreen StandInReferenceScreen();
// The screen as the device records against it: one that reports no size of
// its own counts as a 96 dpi one.
ReferenceScreen UsableScreen(const ReferenceScreen& screen);

class MetafilePaintEngine;

// A paint device whose painting becomes metafile records: fills, lines,
// polylines, pixels and ellipses, with the pens and brushes they need.
// After the painter has ended, the records come out as an enhanced metafile
// (EMF) or as a placeable Windows metafile (WMF).
class MetafileDevice : public QPaintDevice {
public:
    MetafileDevice(int width, int height, const ReferenceScreen& screen);
    ~MetafileDevice() override;

    QByteArray EmfBytes() const;
    QByteArray PlaceableWmfBytes() const;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int width_;
    int height_;
    ReferenceScreen screen_;
    std::unique_ptr<MetafilePaintEngine> engine_;
};
