#include "output/metafile/metafile_device.h"

#include "output/metafile/emf_writer.h"
#include "output/metafile/metafile_frame.h"
#include "output/metafile/metafile_paint_engine.h"
#include "output/metafile/wmf_writer.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kStandInDpi = 96.0;
constexpr QSize kStandInPixels(1920, 1080);

ReferenceScreen StandInScreen(QSize pixels)
{
    return {pixels, QSizeF(pixels) * (kMillimetresPerInch / kStandInDpi)};
}

int Dpi(int pixels, double millimetres)
{
    return static_cast<int>(std::lround(pixels * kMillimetresPerInch / millimetres));
}

} // namespace

ReferenceScreen UsableScreen(const ReferenceScreen& screen)
{
    if (screen.Pixels.isEmpty())
        return StandInScreen(kStandInPixels);
    if (screen.Millimetres.isEmpty())
        return StandInScreen(screen.Pixels);
    return screen;
}

ReferenceScreen StandInReferenceScreen()
{
    return StandInScreen(kStandInPixels);
}

ReferenceScreen PrimaryReferenceScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return StandInScreen(kStandInPixels);
    return UsableScreen({screen->size(), screen->physicalSize()});
}

MetafileDevice::MetafileDevice(int width, int height, const ReferenceScreen& screen)
    : width_(width), height_(height), screen_(UsableScreen(screen)), engine_(std::make_unique<MetafilePaintEngine>())
{
}

MetafileDevice::~MetafileDevice() = default;

QByteArray MetafileDevice::EmfBytes() const
{
    return EmfWriter(QSize(width_, height_), screen_).Write(engine_->Drawing());
}

QByteArray MetafileDevice::PlaceableWmfBytes() const
{
    return WmfWriter(QSize(width_, height_), screen_).Write(engine_->Drawing());
}

QPaintEngine* MetafileDevice::paintEngine() const
{
    return engine_.get();
}

int MetafileDevice::metric(PaintDeviceMetric metric) const
{
    const QSize millimetres = HundredthsOfMillimetre(screen_);
    switch (metric) {
    case PdmWidth:
        return width_;
    case PdmHeight:
        return height_;
    case PdmWidthMM:
        return static_cast<int>(MulDiv(width_, millimetres.width(), screen_.Pixels.width() * 100LL));
    case PdmHeightMM:
        return static_cast<int>(MulDiv(height_, millimetres.height(), screen_.Pixels.height() * 100LL));
    case PdmNumColors:
        return 1 << 24;
    case PdmDepth:
        return 24;
    case PdmDpiX:
    case PdmPhysicalDpiX:
        return Dpi(screen_.Pixels.width(), screen_.Millimetres.width());
    case PdmDpiY:
    case PdmPhysicalDpiY:
        return Dpi(screen_.Pixels.height(), screen_.Millimetres.height());
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}
