#include "app/options_entry.h"
#include "model/number_text.h"
#include "tests/support/setting_fields.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Valid options other than the defaults, as a user types them.
OptionsEntry ValidEntry()
{
    return {RgbColor(0, 0, 128), RgbColor(255, 255, 0), "3", false, "20", "40", 8, 2, 6, 9, "0.75", "1.5"};
}

SettingValues ValidValues()
{
    return {RgbColor(0, 0, 128), RgbColor(255, 255, 0), 3, 20, 40, false, 8, 2, 6, 9, 0.75, 1.5, 256, 256};
}

// Each field in the dialog's order: a value out of range is skipped with its
// warning and the rest is taken; a field without a number stops the taking
// there. The values start at the defaults.
TEST(OptionsEntry, TakesWhatIsValidAndWarnsInTheFieldsOrder)
{
    const QString separator(QChar::fromLatin1(SystemDecimalSeparator()));
    const struct {
        const char* name;
        std::function<void(OptionsEntry&)> change;
        QStringList warnings;
        std::function<void(SettingValues&)> expected; // from ValidValues()
    } rows[] = {
        {"valid", [](OptionsEntry&) {}, {}, [](SettingValues&) {}},
        {"pen 0", [](OptionsEntry& e) { e.PenWidth = "0"; }, {"Ungültige Linienstärke"},
         [](SettingValues& v) { v.PenWidth = 1; }},
        {"pen 11", [](OptionsEntry& e) { e.PenWidth = "11"; }, {"Ungültige Linienstärke"},
         [](SettingValues& v) { v.PenWidth = 1; }},
        {"pen 10", [](OptionsEntry& e) { e.PenWidth = "10"; }, {}, [](SettingValues& v) { v.PenWidth = 10; }},
        {"no steps or interval",
         [](OptionsEntry& e) {
             e.ZoomSteps = "0";
             e.ZoomDelay = "0";
         },
         {"Ungültige Angabe der Berechnungsschritte", "Ungültiges Berechnungsintervall"},
         [](SettingValues& v) {
             v.ZoomSteps = 60;
             v.ZoomDelay = 15;
         }},
        {"empty pen", [](OptionsEntry& e) { e.PenWidth.clear(); }, {"Ungültige Zahl"},
         [](SettingValues& v) {
             const SettingValues colours = v;
             v = SettingValues();
             v.BgColor = colours.BgColor;
             v.FgColor = colours.FgColor;
         }},
        {"letters in the interval", [](OptionsEntry& e) { e.ZoomDelay = "40ms"; }, {"Ungültige Zahl"},
         [](SettingValues& v) {
             v.ZoomDelay = 15;
             v.AngRaster = v.LenRaster = 0;
             v.MinNodes = 3;
             v.MaxNodes = 5;
             v.MinLength = 0.5;
             v.MaxLength = 2.0;
         }},
        {"bad maximum length", [](OptionsEntry& e) { e.MaxLength = "zwei"; }, {"Ungültige Zahl"},
         [](SettingValues& v) {
             v.MinLength = 0.5;
             v.MaxLength = 2.0;
         }},
        {"lengths 0.1 to 9.99",
         [separator](OptionsEntry& e) {
             e.MinLength = "0" + separator + "1";
             e.MaxLength = " 9" + separator + "99 ";
         },
         {}, [](SettingValues& v) {
             v.MinLength = 0.1;
             v.MaxLength = 9.99;
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        OptionsEntry entry = ValidEntry();
        row.change(entry);
        SettingValues values;
        EXPECT_EQ(TakeOptionsEntry(entry, values), row.warnings);
        SettingValues expected = ValidValues();
        row.expected(expected);
        EXPECT_EQ(values, expected);
    }
}

TEST(OptionsEntry, LengthsMustBePositiveIncreasingAndBelowTen)
{
    for (const auto& [a, b] : {std::pair("1", "1"), std::pair("0", "2"), std::pair("2", "10"), std::pair("3", "2"),
                               std::pair("-1", "2")}) {
        SCOPED_TRACE(testing::Message() << a << " / " << b);
        OptionsEntry entry = ValidEntry();
        entry.MinLength = QString::fromLatin1(a);
        entry.MaxLength = QString::fromLatin1(b);
        SettingValues values;
        EXPECT_EQ(TakeOptionsEntry(entry, values), QStringList{"Ungültige Bereichsangabe für die Kantenlänge"});
        SettingValues expected = ValidValues();
        expected.MinLength = 0.5;
        expected.MaxLength = 2.0;
        EXPECT_EQ(values, expected);
    }
}

} // namespace
