#include "app/settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <utility>

namespace {

class Store : public ::testing::Test {
protected:
    void SetUp() override { Raw().clear(); }
    void TearDown() override { Raw().clear(); }

    static QSettings Raw() { return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Ornalix")); }
};

TEST_F(Store, MissingValuesKeepTheirDefaults)
{
    Raw().setValue(QStringLiteral("penWidth"), 3);
    SettingValues values;
    SettingsStore::Read(values);
    EXPECT_EQ(values.PenWidth, 3);
    EXPECT_EQ(values.ZoomSteps, 60);
    EXPECT_EQ(values.BgColor, 0xFFFFFFu);
    EXPECT_EQ(values.MaxLength, 2.0);
}

TEST_F(Store, AllFourteenValuesRoundTripAndLengthsBitForBit)
{
    SettingValues written;
    written.BgColor = 0x00123456;
    written.FgColor = 0x00ABCDEF;
    written.PenWidth = 4;
    written.ZoomSteps = 7;
    written.ZoomDelay = 33;
    written.ZoomAnimation = false;
    written.AngRaster = 12;
    written.LenRaster = 3;
    written.MinNodes = 4;
    written.MaxNodes = 9;
    written.MinLength = 0.1 + 0.2;
    written.MaxLength = 9.99;
    written.ExportWidth = 1920;
    written.ExportHeight = 1080;
    SettingsStore::Write(written);
    EXPECT_EQ(Raw().allKeys().size(), 14);
    EXPECT_EQ(Raw().value(QStringLiteral("minLength")).toByteArray().size(), 8);

    SettingValues read;
    SettingsStore::Read(read);
    EXPECT_EQ(std::memcmp(&read.MinLength, &written.MinLength, sizeof(double)), 0);
    EXPECT_EQ(read.MaxLength, 9.99);
    EXPECT_EQ(read.BgColor, 0x00123456u);
    EXPECT_EQ(read.FgColor, 0x00ABCDEFu);
    EXPECT_FALSE(read.ZoomAnimation);
    EXPECT_EQ(read.ZoomDelay, 33);
    EXPECT_EQ(read.AngRaster, 12);
    EXPECT_EQ(read.MaxNodes, 9);
    EXPECT_EQ(read.ExportHeight, 1080);
}

// The names and kinds the store has always had: numbers, and the lengths as
// the eight bytes of a little-endian double.
TEST_F(Store, TheDefaultsAreWrittenUnderTheirNames)
{
    SettingsStore::Write(SettingValues());
    const std::pair<const char*, int> numbers[] = {
        {"bgColor", 0xFFFFFF}, {"fgColor", 0},   {"penWidth", 1},  {"zoomSteps", 60}, {"zoomDelay", 15},
        {"zoomAnimation", 1},  {"angRaster", 0}, {"lenRaster", 0}, {"minNodes", 3},   {"maxNodes", 5},
        {"exportWidth", 256},  {"exportHeight", 256}};
    for (const auto& [name, value] : numbers)
        EXPECT_EQ(Raw().value(QLatin1String(name)).toInt(), value) << name;
    EXPECT_EQ(Raw().value(QStringLiteral("minLength")).toByteArray(), QByteArray("\0\0\0\0\0\0\xE0\x3F", 8));
    EXPECT_EQ(Raw().value(QStringLiteral("maxLength")).toByteArray(), QByteArray("\0\0\0\0\0\0\0\x40", 8));
}

TEST_F(Store, AValueOfTheWrongKindStopsTheReading)
{
    Raw().setValue(QStringLiteral("bgColor"), 0x0000FF);
    Raw().setValue(QStringLiteral("zoomSteps"), QStringLiteral("many"));
    Raw().setValue(QStringLiteral("zoomDelay"), 40);
    SettingValues values;
    try {
        SettingsStore::Read(values);
        FAIL() << "no error";
    } catch (const SettingsError& e) {
        EXPECT_STREQ(e.what(), "Ungültiger Datentyp für 'zoomSteps'");
    }
    EXPECT_EQ(values.BgColor, 0x0000FFu) << "read before the bad value";
    EXPECT_EQ(values.ZoomDelay, 15) << "not read after it";
}

TEST_F(Store, DoublesMustBeEightBytes)
{
    Raw().setValue(QStringLiteral("minLength"), QByteArray(4, 'x'));
    SettingValues values;
    EXPECT_THROW(SettingsStore::Read(values), SettingsError);
    Raw().setValue(QStringLiteral("minLength"), QByteArray(9, 'x'));
    try {
        SettingsStore::Read(values);
        FAIL() << "no error";
    } catch (const SettingsError& e) {
        EXPECT_STREQ(e.what(), "Fehler beim Holen der Daten für 'minLength'");
    }
    Raw().setValue(QStringLiteral("minLength"), 0.5);
    EXPECT_THROW(SettingsStore::Read(values), SettingsError) << "a number where bytes belong";
}

TEST(SettingsWrite, AStoreThatCannotBeWrittenIsReported)
{
    // A folder where the store's file belongs: nothing can replace it.
    const QString path = QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Ornalix")).fileName();
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path));
    try {
        SettingsStore::Write(SettingValues());
        FAIL() << "no error";
    } catch (const SettingsError& e) {
        EXPECT_STREQ(e.what(), "Fehler beim Setzen der Daten für 'bgColor'");
    }
    QDir(path).removeRecursively();
}

// Each value is tried just inside and just outside what the program can
// work with; only the latter is put back.
SettingValues Sanitized(const std::function<void(SettingValues&)>& change)
{
    SettingValues values;
    change(values);
    SettingsStore::Sanitize(values);
    return values;
}

TEST(SettingsSanitize, KeepsWhatWorksBeyondTheDialogsLimits)
{
    using namespace SettingLimits;
    const SettingValues kept = Sanitized([](SettingValues& v) {
        v.PenWidth = 20;
        v.ZoomSteps = std::numeric_limits<int>::max();
        v.ZoomDelay = kShortestZoomDelay;
        v.AngRaster = 36;
        v.LenRaster = 1000;
        v.MinNodes = 8;
        v.MaxNodes = 4;
        v.MinLength = 3;
        v.MaxLength = 2;
        v.ExportWidth = 60000;
        v.ExportHeight = 60000;
    });
    EXPECT_EQ(kept.PenWidth, 20);
    EXPECT_EQ(kept.ZoomSteps, std::numeric_limits<int>::max());
    EXPECT_EQ(kept.ZoomDelay, 1);
    EXPECT_EQ(kept.AngRaster, 36);
    EXPECT_EQ(kept.LenRaster, 1000);
    EXPECT_EQ(kept.MinNodes, 8) << "New orders the counts itself";
    EXPECT_EQ(kept.MaxNodes, 4);
    EXPECT_EQ(kept.MinLength, 3);
    EXPECT_EQ(kept.MaxLength, 2);
    EXPECT_EQ(kept.ExportWidth, 60000) << "a JPEG holds it";

    // Rasters below what turns them on are simply off.
    EXPECT_EQ(Sanitized([](SettingValues& v) { v.AngRaster = -7; }).AngRaster, -7);
    EXPECT_EQ(Sanitized([](SettingValues& v) { v.LenRaster = std::numeric_limits<int>::min(); }).LenRaster,
              std::numeric_limits<int>::min());
}

TEST(SettingsSanitize, MendsOnlyPastTheBoundaryOfWhatWorks)
{
    using namespace SettingLimits;
    const SettingValues d;
    auto pen = [](int width) { return Sanitized([=](SettingValues& v) { v.PenWidth = width; }).PenWidth; };
    EXPECT_EQ(pen(1), 1);
    EXPECT_EQ(pen(0), d.PenWidth);
    EXPECT_EQ(pen(kWidestStoredPen), kWidestStoredPen);
    EXPECT_EQ(pen(kWidestStoredPen + 1), d.PenWidth);

    auto steps = [](int n) { return Sanitized([=](SettingValues& v) { v.ZoomSteps = n; }).ZoomSteps; };
    EXPECT_EQ(steps(1), 1);
    EXPECT_EQ(steps(0), d.ZoomSteps);
    auto delay = [](int ms) { return Sanitized([=](SettingValues& v) { v.ZoomDelay = ms; }).ZoomDelay; };
    EXPECT_EQ(delay(1), 1);
    EXPECT_EQ(delay(-1), d.ZoomDelay);

    auto raster = [](int n) { return Sanitized([=](SettingValues& v) { v.AngRaster = n; }).AngRaster; };
    EXPECT_EQ(raster(kMostStoredAngleSteps), kMostStoredAngleSteps);
    EXPECT_EQ(raster(kMostStoredAngleSteps + 1), d.AngRaster);

    auto nodes = [](int lo, int hi) {
        const SettingValues v = Sanitized([=](SettingValues& s) { s.MinNodes = lo, s.MaxNodes = hi; });
        return std::pair(v.MinNodes, v.MaxNodes);
    };
    EXPECT_EQ(nodes(1, std::numeric_limits<int>::max()), std::pair(1, std::numeric_limits<int>::max()));
    EXPECT_EQ(nodes(0, 5), std::pair(d.MinNodes, d.MaxNodes));
    EXPECT_EQ(nodes(std::numeric_limits<int>::min(), std::numeric_limits<int>::max()), std::pair(d.MinNodes, d.MaxNodes));

    auto lengths = [](double lo, double hi) {
        const SettingValues v = Sanitized([=](SettingValues& s) { s.MinLength = lo, s.MaxLength = hi; });
        return std::pair(v.MinLength, v.MaxLength);
    };
    const auto defaults = std::pair(d.MinLength, d.MaxLength);
    EXPECT_EQ(lengths(1e-150, 1e150), std::pair(1e-150, 1e150));
    EXPECT_EQ(lengths(1e-300, 1e300), defaults) << "their ratio overflows";
    constexpr double kRoom = std::numeric_limits<double>::max() / 2;
    EXPECT_EQ(lengths(1, kRoom), std::pair(1.0, kRoom));
    EXPECT_EQ(lengths(1, std::nextafter(kRoom, 2 * kRoom)), defaults) << "no room left for New's rounding";
    constexpr double kMax = std::numeric_limits<double>::max();
    EXPECT_EQ(lengths(4 / kMax, 1), std::pair(4 / kMax, 1.0));
    EXPECT_EQ(lengths(1 / kMax, 1), defaults) << "no room left for the inverse";
    EXPECT_EQ(lengths(std::numeric_limits<double>::denorm_min(), 1), defaults) << "its inverse overflows";
    EXPECT_EQ(lengths(0, 2), defaults);
    EXPECT_EQ(lengths(-1, 2), defaults);
    EXPECT_EQ(lengths(0.5, std::numeric_limits<double>::infinity()), defaults);
    EXPECT_EQ(lengths(std::numeric_limits<double>::quiet_NaN(), 2), defaults);

    auto size = [](int w, int h) {
        const SettingValues v = Sanitized([=](SettingValues& s) { s.ExportWidth = w, s.ExportHeight = h; });
        return std::pair(v.ExportWidth, v.ExportHeight);
    };
    const auto defaultSize = std::pair(d.ExportWidth, d.ExportHeight);
    EXPECT_EQ(size(1, 1), std::pair(1, 1));
    EXPECT_EQ(size(0, 1), defaultSize);
    EXPECT_EQ(size(1, -5), defaultSize);
    // The widest bitmap file still counts its bytes in 32 bits.
    EXPECT_EQ(size(1431655746, 1), std::pair(1431655746, 1));
    EXPECT_EQ(size(1431655747, 1), defaultSize);
    EXPECT_EQ(size(std::numeric_limits<int>::max(), 10), defaultSize);
    // An EMF's frame in hundredths of a millimetre at 96 dpi.
    EXPECT_EQ(size(81000000, 81000000), std::pair(81000000, 81000000));
    EXPECT_EQ(size(90000000, 90000000), defaultSize);
}

} // namespace
