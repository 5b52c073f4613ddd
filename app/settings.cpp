#include "app/settings.h"

#include "app/coloring_settings.h"
#include "output/picture_export.h"

#include <QSettings>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace {

constexpr int kDoubleSize = 8;

QSettings OpenStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Ornalix"));
}

[[noreturn]] void Fail(const char* format, const char* name)
{
    throw SettingsError(QString::fromUtf8(format).arg(QLatin1String(name)).toStdString());
}

// The registry hands back a number, a text file its digits.
std::optional<qint64> WholeNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toLongLong();
    case QMetaType::QString: {
        bool ok = false;
        const qint64 number = value.toString().trimmed().toLongLong(&ok);
        return ok ? std::optional<qint64>(number) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// A 32-bit value, signed or not (colours use all 32 bits).
template <typename Field>
void ReadDword(QSettings& store, const char* name, Field& field)
{
    const QVariant value = store.value(QLatin1String(name));
    if (!value.isValid())
        return;
    const auto number = WholeNumber(value);
    if (!number || *number < std::numeric_limits<qint32>::min() || *number > std::numeric_limits<quint32>::max())
        Fail("Ungültiger Datentyp für '%1'", name);
    field = static_cast<Field>(*number);
}

void ReadBool(QSettings& store, const char* name, bool& field)
{
    int number = field ? 1 : 0;
    ReadDword(store, name, number);
    field = number != 0;
}

void ReadDouble(QSettings& store, const char* name, double& field)
{
    const QVariant value = store.value(QLatin1String(name));
    if (!value.isValid())
        return;
    if (value.typeId() != QMetaType::QByteArray)
        Fail("Ungültiger Datentyp für '%1'", name);
    const QByteArray bytes = value.toByteArray();
    if (bytes.size() < kDoubleSize)
        Fail("Ungültiger Datentyp für '%1'", name);
    if (bytes.size() > kDoubleSize)
        Fail("Fehler beim Holen der Daten für '%1'", name);
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
    std::memcpy(&field, &bits, sizeof field);
}

void WriteSwitch(QSettings& store, const char* name, bool on)
{
    if (on)
        store.setValue(QLatin1String(name), 1);
    else
        store.remove(QLatin1String(name));
}

QByteArray DoubleBytes(double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    QByteArray bytes(kDoubleSize, '\0');
    qToLittleEndian(bits, bytes.data());
    return bytes;
}

} // namespace

QSettings SettingsStore::Open()
{
    return OpenStore();
}

void SettingsStore::Read(SettingValues& v)
{
    QSettings store = OpenStore();
    Read(store, v);
}

void SettingsStore::Read(QSettings& store, SettingValues& v)
{
    ReadDword(store, "bgColor", v.BgColor);
    ReadDword(store, "fgColor", v.FgColor);
    ReadDword(store, "penWidth", v.PenWidth);
    ReadDword(store, "zoomSteps", v.ZoomSteps);
    ReadDword(store, "zoomDelay", v.ZoomDelay);
    ReadBool(store, "zoomAnimation", v.ZoomAnimation);
    ReadDword(store, "angRaster", v.AngRaster);
    ReadDword(store, "lenRaster", v.LenRaster);
    ReadDword(store, "minNodes", v.MinNodes);
    ReadDword(store, "maxNodes", v.MaxNodes);
    ReadDouble(store, "minLength", v.MinLength);
    ReadDouble(store, "maxLength", v.MaxLength);
    ReadDword(store, "exportWidth", v.ExportWidth);
    ReadDword(store, "exportHeight", v.ExportHeight);
    ReadBool(store, "antialiasing", v.Antialiasing);
    ReadBool(store, "endlessZoom", v.EndlessZoom);
    ColoringSettings::Read(store, v.Coloring);
}

void SettingsStore::Write(const SettingValues& v)
{
    QSettings store = OpenStore();
    if (!store.isWritable())
        Fail("Fehler beim Setzen der Daten für '%1'", "bgColor");
    store.setValue(QStringLiteral("bgColor"), static_cast<qint64>(v.BgColor));
    store.setValue(QStringLiteral("fgColor"), static_cast<qint64>(v.FgColor));
    store.setValue(QStringLiteral("penWidth"), v.PenWidth);
    store.setValue(QStringLiteral("zoomSteps"), v.ZoomSteps);
    store.setValue(QStringLiteral("zoomDelay"), v.ZoomDelay);
    store.setValue(QStringLiteral("zoomAnimation"), v.ZoomAnimation ? 1 : 0);
    store.setValue(QStringLiteral("angRaster"), v.AngRaster);
    store.setValue(QStringLiteral("lenRaster"), v.LenRaster);
    store.setValue(QStringLiteral("minNodes"), v.MinNodes);
    store.setValue(QStringLiteral("maxNodes"), v.MaxNodes);
    store.setValue(QStringLiteral("minLength"), DoubleBytes(v.MinLength));
    store.setValue(QStringLiteral("maxLength"), DoubleBytes(v.MaxLength));
    store.setValue(QStringLiteral("exportWidth"), v.ExportWidth);
    store.setValue(QStringLiteral("exportHeight"), v.ExportHeight);
    // The switches added since are stored only while on: a store of a user
    // who never turned them on holds what it always held.
    WriteSwitch(store, "antialiasing", v.Antialiasing);
    WriteSwitch(store, "endlessZoom", v.EndlessZoom);
    ColoringSettings::Write(store, v.Coloring);
    store.sync();
    if (store.status() != QSettings::NoError)
        Fail("Fehler beim Setzen der Daten für '%1'", "bgColor");
}

namespace {

// New divides each random edge by the length before it and the last edge
// by the length before that: every length must be positive, and neither the
// largest ratio nor the inverse of the shortest may come near an overflow
// (half the largest double leaves room for New's rounding).
bool LengthsWork(double a, double b)
{
    constexpr double kRoom = std::numeric_limits<double>::max() / 2;
    const double shortest = std::min(a, b);
    const double longest = std::max(a, b);
    return std::isfinite(shortest) && std::isfinite(longest) && shortest > 0 && longest / shortest <= kRoom
           && 1.0 / shortest <= kRoom;
}

} // namespace

void SettingsStore::Sanitize(SettingValues& v)
{
    using namespace SettingLimits;
    const SettingValues defaults;
    if (v.PenWidth < kThinnestPen || v.PenWidth > kWidestStoredPen)
        v.PenWidth = defaults.PenWidth;
    if (v.ZoomSteps < kFewestZoomSteps)
        v.ZoomSteps = defaults.ZoomSteps;
    if (v.ZoomDelay < kShortestZoomDelay)
        v.ZoomDelay = defaults.ZoomDelay;
    // Below two steps a turn, and below one length step, snapping is off.
    if (v.AngRaster > kMostStoredAngleSteps)
        v.AngRaster = defaults.AngRaster;
    // New makes a + random(b - a) edges: below one it makes none, and
    // counts far apart on both sides of zero overflow their difference.
    if (v.MinNodes < 1 || v.MaxNodes < 1) {
        v.MinNodes = defaults.MinNodes;
        v.MaxNodes = defaults.MaxNodes;
    }
    if (!LengthsWork(v.MinLength, v.MaxLength)) {
        v.MinLength = defaults.MinLength;
        v.MaxLength = defaults.MaxLength;
    }
    if (!SomeFormatHolds(v.ExportWidth, v.ExportHeight)) {
        v.ExportWidth = defaults.ExportWidth;
        v.ExportHeight = defaults.ExportHeight;
    }
}

SettingValues SettingsStore::ReadQuietly()
{
    SettingValues values;
    try {
        Read(values);
    } catch (const SettingsError&) {
    }
    Sanitize(values);
    return values;
}
