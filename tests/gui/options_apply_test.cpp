#include "tests/gui/window_fixture.h"

#include <functional>

namespace {

// The options dialog as the menu shows it, and what its "Ok" applies; which
// fields are taken is tested on the entry (options_entry_test).
class OptionsApply : public WindowTest {
protected:
    // Shows the dialog through the menu, fills it with valid values, lets
    // change alter them, and closes it with the button.
    void Apply(const std::function<void(TanimationDlg&)>& change, bool ok = true)
    {
        dialogs.dialogScripts.push_back([change, ok](QDialog& dialog) {
            auto& d = static_cast<TanimationDlg&>(dialog);
            FillValidOptions(d);
            change(d);
            (ok ? Named<QPushButton>(d, "cmdOk") : Named<QPushButton>(d, "cmdCancel"))->click();
            return d.result();
        });
        Trigger(mnuOptions());
        ASSERT_TRUE(dialogs.dialogScripts.empty());
    }
};

TEST_F(OptionsApply, OkAppliesEveryFieldAndRedrawsInTheNewColours)
{
    Apply([](TanimationDlg&) {});
    EXPECT_EQ(TakeMessages(), QStringList());
    ExpectSettings(ValidOptions());
    EXPECT_EQ(FractPicture().pixel(0, 0), qRgb(0, 0, 128));
}

TEST_F(OptionsApply, NoStepsAndNoIntervalWarnInTurnAndTheRestIsApplied)
{
    Apply([](TanimationDlg& d) {
        Named<QLineEdit>(d, "txtSteps")->setText(QStringLiteral("0"));
        Named<QLineEdit>(d, "txtDelay")->setText(QStringLiteral("0"));
    });
    EXPECT_EQ(TakeMessages(), (QStringList{QStringLiteral("(!) Warnung: Ungültige Angabe der Berechnungsschritte"),
                                           QStringLiteral("(!) Warnung: Ungültiges Berechnungsintervall")}));
    SettingValues expected = ValidOptions();
    expected.ZoomSteps = 60;
    expected.ZoomDelay = 15;
    ExpectSettings(expected);
}

TEST_F(OptionsApply, AbbrechenChangesNothing)
{
    Apply([](TanimationDlg& d) { Named<QLineEdit>(d, "txtSteps")->setText(QStringLiteral("0")); }, false);
    EXPECT_EQ(TakeMessages(), QStringList());
    ExpectSettings(SettingValues());
}

TEST_F(OptionsApply, NoAngleRasterShowsTheFirstPositionWhichOkThenStores)
{
    ASSERT_EQ(session->Editor.AngRaster, 0);
    dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& d = static_cast<TanimationDlg&>(dialog);
        EXPECT_EQ(Named<QSlider>(d, "tbAngRaster")->value(), 1);
        EXPECT_EQ(Named<QLabel>(d, "lblAngRaster")->text(), QStringLiteral("[deaktiviert]"));
        EXPECT_EQ(Named<QLabel>(d, "lblLenRaster")->text(), QStringLiteral("[deaktiviert]"));
        Named<QPushButton>(d, "cmdOk")->click();
        return d.result();
    });
    Trigger(mnuOptions());
    EXPECT_EQ(session->Editor.AngRaster, 1);
    EXPECT_EQ(TakeMessages(), QStringList());
}

} // namespace
