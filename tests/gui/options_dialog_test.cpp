#include "tests/gui/window_fixture.h"

#include "model/number_text.h"

#include <QSignalBlocker>

namespace {

class OptionsDialog : public WindowTest {
protected:
    TanimationDlg& Dialog() { return *window->findChild<TanimationDlg*>(); }

    void ShowDialog()
    {
        Dialog().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dialog()));
    }
};

// In the default font and in the program's small one.
TEST_F(OptionsDialog, EveryCaptionShowsWhole)
{
    ShowDialog();
    // The longest texts the value labels can show.
    Named<QLabel>(Dialog(), "lblAngRaster")->setText(QStringLiteral("1/24 Umdrehung"));
    Named<QLabel>(Dialog(), "lblLenRaster")->setText(QStringLiteral("1/12 Einheit"));
    Named<QLabel>(Dialog(), "lblMinNodes")->setNum(10);
    Named<QLabel>(Dialog(), "lblMaxNodes")->setNum(10);
    EXPECT_EQ(ExpectCaptionsShowWhole(Dialog()), 15);
    const QFont before = QApplication::font();
    QFont small = before;
    small.setPointSize(8);
    Dialog().hide();
    QApplication::setFont(small);
    QCoreApplication::sendPostedEvents();
    ShowDialog();
    EXPECT_EQ(Named<QLabel>(Dialog(), "lblAngRaster")->font().pointSize(), 8);
    EXPECT_EQ(ExpectCaptionsShowWhole(Dialog()), 15);
    QApplication::setFont(before);
}

TEST_F(OptionsDialog, ShowingFillsTheFieldsFromTheValues)
{
    SettingValues v;
    v.BgColor = RgbColor(10, 20, 30);
    v.FgColor = RgbColor(200, 100, 0);
    v.PenWidth = 3;
    v.ZoomAnimation = false;
    v.ZoomSteps = 42;
    v.ZoomDelay = 25;
    v.MinLength = 0.25;
    v.MaxLength = 3;
    Dialog().SetValues(v);
    ShowDialog();
    EXPECT_EQ(Named<QLabel>(Dialog(), "lblBgColor")->palette().color(QPalette::Window), QColor(10, 20, 30));
    EXPECT_EQ(TanimationDlg::SwatchColor(Named<QLabel>(Dialog(), "lblFgColor")), RgbColor(200, 100, 0));
    EXPECT_EQ(Named<QLineEdit>(Dialog(), "txtPenWidth")->text(), QStringLiteral("3"));
    EXPECT_FALSE(Named<QCheckBox>(Dialog(), "chkAnimation")->isChecked());
    EXPECT_EQ(Named<QLineEdit>(Dialog(), "txtSteps")->text(), QStringLiteral("42"));
    EXPECT_EQ(Named<QLineEdit>(Dialog(), "txtDelay")->text(), QStringLiteral("25"));
    const QString separator(QChar::fromLatin1(SystemDecimalSeparator()));
    EXPECT_EQ(Named<QLineEdit>(Dialog(), "txtMinLength")->text(), QStringLiteral("0") + separator + QStringLiteral("25"));
    EXPECT_EQ(Named<QLineEdit>(Dialog(), "txtMaxLength")->text(), QStringLiteral("3"));
}

TEST_F(OptionsDialog, RasterLabelsFollowTheSlidersAndAreRightWhenThePositionStays)
{
    ShowDialog();
    const std::tuple<QSlider*, int, const char*> steps[] = {
        {Named<QSlider>(Dialog(), "tbAngRaster"), 12, "1/12 Umdrehung"}, {Named<QSlider>(Dialog(), "tbAngRaster"), 1, "[deaktiviert]"},
        {Named<QSlider>(Dialog(), "tbLenRaster"), 1, "1 Einheit"},       {Named<QSlider>(Dialog(), "tbLenRaster"), 4, "1/4 Einheit"},
        {Named<QSlider>(Dialog(), "tbLenRaster"), 0, "[deaktiviert]"}};
    for (const auto& [slider, value, text] : steps) {
        slider->setValue(value);
        EXPECT_EQ((slider == Named<QSlider>(Dialog(), "tbAngRaster") ? Named<QLabel>(Dialog(), "lblAngRaster") : Named<QLabel>(Dialog(), "lblLenRaster"))->text(),
                  QString::fromUtf8(text));
    }
    Dialog().hide();
    {
        const QSignalBlocker angle(Named<QSlider>(Dialog(), "tbAngRaster"));
        const QSignalBlocker length(Named<QSlider>(Dialog(), "tbLenRaster"));
        Named<QSlider>(Dialog(), "tbAngRaster")->setValue(6);
        Named<QSlider>(Dialog(), "tbLenRaster")->setValue(3);
    }
    SettingValues v;
    v.AngRaster = 6;
    v.LenRaster = 3;
    Dialog().SetValues(v);
    ShowDialog();
    EXPECT_EQ(Named<QLabel>(Dialog(), "lblAngRaster")->text(), QStringLiteral("1/6 Umdrehung"));
    EXPECT_EQ(Named<QLabel>(Dialog(), "lblLenRaster")->text(), QStringLiteral("1/3 Einheit"));
}

TEST_F(OptionsDialog, NodeSlidersShowTheStoredRangeWhateverTheyShowedBefore)
{
    const TanimationDlg& d = Dialog();
    for (int oldMin = 3; oldMin <= 10; ++oldMin)
        for (int oldMax = oldMin; oldMax <= 10; ++oldMax)
            for (int newMin = 3; newMin <= 10; ++newMin)
                for (int newMax = newMin; newMax <= 10; ++newMax) {
                    SettingValues v;
                    v.MinNodes = oldMin;
                    v.MaxNodes = oldMax;
                    Dialog().SetValues(v);
                    Dialog().FormShow();
                    v.MinNodes = newMin;
                    v.MaxNodes = newMax;
                    Dialog().SetValues(v);
                    Dialog().FormShow();
                    SCOPED_TRACE(testing::Message() << oldMin << ".." << oldMax << " -> " << newMin << ".." << newMax);
                    EXPECT_EQ(Named<QSlider>(d, "tbMinNodes")->minimum(), 3);
                    EXPECT_EQ(Named<QSlider>(d, "tbMinNodes")->maximum(), newMax);
                    EXPECT_EQ(Named<QSlider>(d, "tbMinNodes")->value(), newMin);
                    EXPECT_EQ(Named<QSlider>(d, "tbMaxNodes")->minimum(), newMin);
                    EXPECT_EQ(Named<QSlider>(d, "tbMaxNodes")->maximum(), 10);
                    EXPECT_EQ(Named<QSlider>(d, "tbMaxNodes")->value(), newMax);
                    EXPECT_EQ(Named<QLabel>(d, "lblMinNodes")->text(), QString::number(newMin));
                    EXPECT_EQ(Named<QLabel>(d, "lblMaxNodes")->text(), QString::number(newMax));
                    if (HasFailure())
                        return;
                }
}

TEST_F(OptionsDialog, NodeSlidersBoundEachOther)
{
    Dialog().SetValues(SettingValues());
    ShowDialog();
    Named<QSlider>(Dialog(), "tbMinNodes")->setValue(5);
    EXPECT_EQ(Named<QLabel>(Dialog(), "lblMinNodes")->text(), QStringLiteral("5"));
    EXPECT_EQ(Named<QSlider>(Dialog(), "tbMaxNodes")->minimum(), 5);
    Named<QSlider>(Dialog(), "tbMaxNodes")->setValue(4);
    EXPECT_EQ(Named<QSlider>(Dialog(), "tbMaxNodes")->value(), 5) << "the maximum cannot go below the minimum";
    Named<QSlider>(Dialog(), "tbMaxNodes")->setValue(8);
    EXPECT_EQ(Named<QLabel>(Dialog(), "lblMaxNodes")->text(), QStringLiteral("8"));
    EXPECT_EQ(Named<QSlider>(Dialog(), "tbMinNodes")->maximum(), 8);
    Named<QSlider>(Dialog(), "tbMinNodes")->setValue(9);
    EXPECT_EQ(Named<QSlider>(Dialog(), "tbMinNodes")->value(), 8) << "the minimum cannot pass the maximum";
    EXPECT_EQ(session->MinNodes, 3) << "the window keeps its values until it applies the dialog";
}

TEST_F(OptionsDialog, ColourButtonsAskForAColourAndSwatchesKeepDesktopColours)
{
    Dialog().SetValues(SettingValues());
    ShowDialog();
    dialogs.colors.push_back(QColor(1, 2, 3));
    Named<QPushButton>(Dialog(), "cmdBgColor")->click();
    EXPECT_EQ(TanimationDlg::SwatchColor(Named<QLabel>(Dialog(), "lblBgColor")), RgbColor(1, 2, 3));
    dialogs.colors.push_back(std::nullopt);
    Named<QPushButton>(Dialog(), "cmdBgColor")->click();
    EXPECT_EQ(TanimationDlg::SwatchColor(Named<QLabel>(Dialog(), "lblBgColor")), RgbColor(1, 2, 3)) << "cancelled";
    dialogs.colors.push_back(QColor(4, 5, 6));
    Named<QPushButton>(Dialog(), "cmdFgColor")->click();
    EXPECT_EQ(TanimationDlg::SwatchColor(Named<QLabel>(Dialog(), "lblFgColor")), RgbColor(4, 5, 6));
    EXPECT_EQ(session->Viewer.BgColor, kWhite);

    TanimationDlg::SetSwatchColor(Named<QLabel>(Dialog(), "lblBgColor"), kButtonFaceColor);
    EXPECT_EQ(TanimationDlg::SwatchColor(Named<QLabel>(Dialog(), "lblBgColor")), kButtonFaceColor);
    EXPECT_EQ(Named<QLabel>(Dialog(), "lblBgColor")->palette().color(QPalette::Window), ToQColor(kButtonFaceColor));
}

TEST_F(OptionsDialog, TabOrderVisitsTheRasterGroupLast)
{
    const TanimationDlg& d = Dialog();
    const QList<QWidget*> expected{Named<QPushButton>(d, "cmdBgColor"), Named<QPushButton>(d, "cmdFgColor"), Named<QLineEdit>(d, "txtPenWidth"),  Named<QCheckBox>(d, "chkAnimation"), Named<QLineEdit>(d, "txtSteps"),
                                   Named<QLineEdit>(d, "txtDelay"),   Named<QSlider>(d, "tbMinNodes"), Named<QSlider>(d, "tbMaxNodes"),   Named<QLineEdit>(d, "txtMinLength"), Named<QLineEdit>(d, "txtMaxLength"),
                                   Named<QPushButton>(d, "cmdOk"),      Named<QPushButton>(d, "cmdCancel"),  Named<QSlider>(d, "tbAngRaster"),  Named<QSlider>(d, "tbLenRaster")};
    QList<QWidget*> chain;
    QWidget* w = Named<QPushButton>(d, "cmdBgColor");
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w;
        w = w->nextInFocusChain();
    } while (w != Named<QPushButton>(d, "cmdBgColor"));
    EXPECT_EQ(chain, expected);
}

TEST_F(OptionsDialog, EnterAcceptsEscapeDoesNothingCancelAndTheCloseBoxReject)
{
    ShowDialog();
    QTest::keyClick(Named<QLineEdit>(Dialog(), "txtSteps"), Qt::Key_Escape);
    EXPECT_TRUE(Dialog().isVisible());
    QTest::keyClick(Named<QLineEdit>(Dialog(), "txtSteps"), Qt::Key_Return);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(Dialog().result(), QDialog::Accepted);
    ShowDialog();
    Named<QPushButton>(Dialog(), "cmdCancel")->click();
    EXPECT_EQ(Dialog().result(), QDialog::Rejected);
    ShowDialog();
    Dialog().setResult(QDialog::Accepted);
    Dialog().close();
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(Dialog().result(), QDialog::Rejected);
}

} // namespace
