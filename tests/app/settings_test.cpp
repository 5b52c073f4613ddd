#include "settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <cstring>

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

TEST(SettingsSanitize, ValuesThatWouldStallTheProgramGoBackToDefaults)
{
    SettingValues values;
    values.PenWidth = 0;
    values.ZoomSteps = -5;
    values.ZoomDelay = 0;
    values.AngRaster = 1000000;
    values.LenRaster = -3;
    values.MinNodes = 8;
    values.MaxNodes = 4;
    values.MinLength = 3;
    values.MaxLength = 2;
    values.ExportWidth = 640;
    SettingsStore::Sanitize(values);
    const SettingValues defaults;
    EXPECT_EQ(values.PenWidth, defaults.PenWidth);
    EXPECT_EQ(values.ZoomSteps, defaults.ZoomSteps);
    EXPECT_EQ(values.ZoomDelay, defaults.ZoomDelay);
    EXPECT_EQ(values.AngRaster, defaults.AngRaster);
    EXPECT_EQ(values.LenRaster, defaults.LenRaster);
    EXPECT_EQ(values.MinNodes, 3);
    EXPECT_EQ(values.MaxNodes, 5);
    EXPECT_EQ(values.MinLength, 0.5);
    EXPECT_EQ(values.ExportWidth, 640) << "sound values stay";

    SettingValues sound;
    sound.MinNodes = 10;
    sound.MaxNodes = 10;
    sound.PenWidth = 10;
    SettingsStore::Sanitize(sound);
    EXPECT_EQ(sound.MinNodes, 10);
    EXPECT_EQ(sound.PenWidth, 10);
}

} // namespace
