#include "tests/gui/window_fixture.h"

#include <functional>

namespace {

// The options dialog as the menu shows it, and what its "Ok" applies.
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
    ExpectValidOptions();
    EXPECT_EQ(FractPicture().pixel(0, 0), qRgb(0, 0, 128));
}

TEST_F(OptionsApply, APenWidthOutOfRangeIsReportedAndTheRestStillApplied)
{
    for (const char* width : {"0", "11"}) {
        SCOPED_TRACE(width);
        Apply([width](TanimationDlg& d) { Named<QLineEdit>(d, "txtPenWidth")->setText(QString::fromLatin1(width)); });
        EXPECT_EQ(TakeMessages(), QStringList{QStringLiteral("(!) Warnung: Ungültige Linienstärke")});
        EXPECT_EQ(session->Viewer.PenWidth, 1);
        session->Viewer.PenWidth = 3; // the rest is as FillValidOptions has it
        ExpectValidOptions();
        session->Viewer.PenWidth = 1;
    }
    // The bounds themselves are valid.
    Apply([](TanimationDlg& d) { Named<QLineEdit>(d, "txtPenWidth")->setText(QStringLiteral("10")); });
    EXPECT_EQ(TakeMessages(), QStringList());
    EXPECT_EQ(session->Viewer.PenWidth, 10);
}

TEST_F(OptionsApply, AFieldWithoutANumberStopsTheApplyingThere)
{
    // An empty pen width: the colours are in, nothing after them.
    Apply([](TanimationDlg& d) { Named<QLineEdit>(d, "txtPenWidth")->clear(); });
    EXPECT_EQ(TakeMessages(), QStringList{QStringLiteral("(!) Warnung: Ungültige Zahl")});
    EXPECT_EQ(session->Viewer.BgColor, RgbColor(0, 0, 128));
    EXPECT_EQ(session->Viewer.FgColor, RgbColor(255, 255, 0));
    ExpectDefaultsAfterTheColours();

    // Letters in the interval: the steps before it are in, the rasters not.
    Apply([](TanimationDlg& d) { Named<QLineEdit>(d, "txtDelay")->setText(QStringLiteral("40ms")); });
    EXPECT_EQ(TakeMessages(), QStringList{QStringLiteral("(!) Warnung: Ungültige Zahl")});
    EXPECT_EQ(session->Viewer.PenWidth, 3);
    EXPECT_EQ(session->ZoomSteps, 20);
    EXPECT_EQ(session->Timer().interval(), 15);
    EXPECT_EQ(session->Editor.AngRaster, 0);
    EXPECT_EQ(session->MinNodes, 3);

    // A bad maximum length: the minimum alone is not taken either.
    Apply([](TanimationDlg& d) { Named<QLineEdit>(d, "txtMaxLength")->setText(QStringLiteral("zwei")); });
    EXPECT_EQ(TakeMessages(), QStringList{QStringLiteral("(!) Warnung: Ungültige Zahl")});
    EXPECT_EQ(session->Editor.AngRaster, 8);
    EXPECT_EQ(session->MinLength, 0.5);
    EXPECT_EQ(session->MaxLength, 2.0);
}

TEST_F(OptionsApply, NoStepsAndNoIntervalWarnInTurnAndTheRestIsApplied)
{
    Apply([](TanimationDlg& d) {
        Named<QLineEdit>(d, "txtSteps")->setText(QStringLiteral("0"));
        Named<QLineEdit>(d, "txtDelay")->setText(QStringLiteral("0"));
    });
    EXPECT_EQ(TakeMessages(), (QStringList{QStringLiteral("(!) Warnung: Ungültige Angabe der Berechnungsschritte"),
                                           QStringLiteral("(!) Warnung: Ungültiges Berechnungsintervall")}));
    EXPECT_EQ(session->ZoomSteps, 60);
    EXPECT_EQ(session->Timer().interval(), 15);
    session->ZoomSteps = 20; // as FillValidOptions has them
    session->Timer().setInterval(40);
    ExpectValidOptions();
}

TEST_F(OptionsApply, LengthsMustBePositiveIncreasingAndBelowTen)
{
    const std::pair<const char*, const char*> bad[] = {{"1", "1"}, {"0", "2"}, {"2", "10"}, {"3", "2"}, {"-1", "2"}};
    for (const auto& [a, b] : bad) {
        SCOPED_TRACE(testing::Message() << a << " / " << b);
        Apply([a, b](TanimationDlg& d) {
            Named<QLineEdit>(d, "txtMinLength")->setText(QString::fromLatin1(a));
            Named<QLineEdit>(d, "txtMaxLength")->setText(QString::fromLatin1(b));
        });
        EXPECT_EQ(TakeMessages(), QStringList{QStringLiteral("(!) Warnung: Ungültige Bereichsangabe für die Kantenlänge")});
        EXPECT_EQ(session->MinLength, 0.5);
        EXPECT_EQ(session->MaxLength, 2.0);
        EXPECT_EQ(session->MaxNodes, 9) << "the fields before the lengths are in";
    }
    if (QLocale::system().decimalPoint() != QStringLiteral("."))
        return;
    Apply([](TanimationDlg& d) {
        Named<QLineEdit>(d, "txtMinLength")->setText(QStringLiteral("0.1"));
        Named<QLineEdit>(d, "txtMaxLength")->setText(QStringLiteral(" 9.99 "));
    });
    EXPECT_EQ(TakeMessages(), QStringList());
    EXPECT_EQ(session->MinLength, 0.1);
    EXPECT_EQ(session->MaxLength, 9.99);
}

TEST_F(OptionsApply, AbbrechenChangesNothing)
{
    Apply([](TanimationDlg& d) { Named<QLineEdit>(d, "txtSteps")->setText(QStringLiteral("0")); }, false);
    EXPECT_EQ(TakeMessages(), QStringList());
    EXPECT_EQ(session->Viewer.BgColor, kWhite);
    EXPECT_EQ(session->Viewer.FgColor, kBlack);
    ExpectDefaultsAfterTheColours();
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

TEST_F(OptionsApply, ARunningTimerTakesTheNewIntervalAtOnce)
{
    QTest::mouseClick(chkAnimAng(), Qt::LeftButton);
    ASSERT_TRUE(session->Timer().isActive());
    Apply([](TanimationDlg& d) { Named<QLineEdit>(d, "txtDelay")->setText(QStringLiteral("40")); });
    EXPECT_EQ(session->Timer().interval(), 40);
    EXPECT_TRUE(session->Timer().isActive());
    EXPECT_EQ(session->Mode(), modeAnimating) << "the options leave the animation running";

    // The running zoom ends after the new step count.
    QTest::mouseClick(chkAnimAng(), Qt::LeftButton);
    Apply([](TanimationDlg& d) {
        Named<QCheckBox>(d, "chkAnimation")->setChecked(true);
        Named<QLineEdit>(d, "txtSteps")->setText(QStringLiteral("3"));
    });
    session->ZoomToBand(Complex(60, 40), Complex(180, 120));
    int ticks = 0;
    for (; session->Timer().isActive() && ticks < 100; ++ticks)
        session->Tick();
    EXPECT_EQ(ticks, 4) << "three steps and a closing tick";
    EXPECT_EQ(session->Mode(), modeIdle);
}

} // namespace
