#include "app/settings.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace {

class ColoringStore : public ::testing::Test {
protected:
    void SetUp() override { Raw().clear(); }
    void TearDown() override { Raw().clear(); }

    static QSettings Raw() { return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Ornalix")); }
};

TEST_F(ColoringStore, IsStoredOnlyWhileNotOneColourAndReadsBackWhole)
{
    SettingValues values;
    SettingsStore::Write(values);
    EXPECT_FALSE(Raw().contains(QStringLiteral("coloring")));
    EXPECT_EQ(Raw().allKeys().size(), 14);

    values.Coloring.Kind = CurveColoring::Mode::Edges;
    values.Coloring.Stops = {{0.0, RgbColor(255, 0, 0)}, {0.25, RgbColor(0, 0, 255)}, {1.0, RgbColor(0, 255, 0)}};
    values.Coloring.Repeats = 7;
    values.Coloring.EdgeColors[3] = RgbColor(1, 2, 3);
    values.Coloring.EdgeLevel = 3;
    SettingsStore::Write(values);
    EXPECT_EQ(Raw().value(QStringLiteral("coloring")).toString(), QStringLiteral("edges"));
    EXPECT_EQ(Raw().value(QStringLiteral("gradientStops")).toString(),
              QStringLiteral("0:#ff0000,0.25:#0000ff,1:#00ff00"));
    SettingValues read;
    SettingsStore::Read(read);
    EXPECT_EQ(read.Coloring, values.Coloring);

    values.Coloring.Kind = CurveColoring::Mode::Single;
    SettingsStore::Write(values);
    for (const char* name : {"coloring", "gradientStops", "gradientRepeats", "edgeColors", "edgeLevel"})
        EXPECT_FALSE(Raw().contains(QLatin1String(name))) << name;
}

// A value that is no value of its kind, or out of range, counts as absent,
// quietly; a list (as an INI file hands back unquoted commas) reads as the
// text would.
TEST_F(ColoringStore, BadValuesCountAsAbsentAndListsReadAsText)
{
    struct Row {
        const char* name;
        QVariant value;
        bool taken;
    };
    const QString eight = QStringLiteral("#000001,#000002,#000003,#000004,#000005,#000006,#000007,#000008");
    const Row rows[] = {
        {"coloring", QStringLiteral("gradient"), true},
        {"coloring", QStringLiteral("rainbow"), false},
        {"gradientStops", QStringLiteral("0:#102030,1:#405060"), true},
        {"gradientStops", QStringList{QStringLiteral("0:#102030"), QStringLiteral("1:#405060")}, true},
        {"gradientStops", QStringLiteral("0:#102030"), false},
        {"gradientStops", QStringLiteral("0:#102030,1.5:#405060"), false},
        {"gradientStops", QStringLiteral("0:#102030,1:red"), false},
        {"gradientStops", QStringLiteral("0:#1,0.1:#1,0.2:#1,0.3:#1,0.4:#1,0.5:#1,0.6:#1,0.7:#1,1:#1"), false},
        {"gradientRepeats", 64, true},
        {"gradientRepeats", 65, false},
        {"gradientRepeats", QStringLiteral("zwei"), false},
        {"edgeColors", eight, true},
        {"edgeColors", eight.split(QLatin1Char(',')), true},
        {"edgeColors", QStringLiteral("#000001,#000002"), false},
        {"edgeLevel", 3, true},
        {"edgeLevel", 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + row.value.toString().toStdString());
        Raw().clear();
        Raw().setValue(QLatin1String(row.name), row.value);
        SettingValues read;
        EXPECT_NO_THROW(SettingsStore::Read(read));
        EXPECT_EQ(read.Coloring != CurveColoring(), row.taken);
    }
}

} // namespace
