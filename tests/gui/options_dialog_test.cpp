#include "window_fixture.h"

#include "number_text.h"

#include <QSignalBlocker>

namespace {

class OptionsDialog : public WindowTest {
protected:
    TanimationDlg& Dialog() { return *window->animationDlg; }

    void ShowDialog()
    {
        Dialog().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dialog()));
    }
};

TEST_F(OptionsDialog, FixedFrameWithTheCaptionAndTheDefaultButton)
{
    ShowDialog();
    EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("Ornalix - Optionen"));
    EXPECT_EQ(Dialog().size(), QSize(525, 384));
    EXPECT_EQ(Dialog().minimumSize(), Dialog().maximumSize());
    EXPECT_EQ(Dialog().parentWidget(), window.get());
    EXPECT_TRUE(Dialog().cmdOk->isDefault());
    EXPECT_EQ(Dialog().cmdOk->geometry(), QRect(339, 352, 85, 25));
    EXPECT_EQ(Dialog().cmdCancel->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(Dialog().tbAngRaster->minimum(), 1);
    EXPECT_EQ(Dialog().tbAngRaster->maximum(), 24);
    EXPECT_EQ(Dialog().tbLenRaster->minimum(), 0);
    EXPECT_EQ(Dialog().tbLenRaster->maximum(), 12);
}

// In the default font and in the program's small one.
TEST_F(OptionsDialog, EveryCaptionShowsWhole)
{
    ShowDialog();
    // The longest texts the value labels can show.
    Dialog().lblAngRaster->setText(QStringLiteral("1/24 Umdrehung"));
    Dialog().lblLenRaster->setText(QStringLiteral("1/12 Einheit"));
    Dialog().lblMinNodes->setNum(10);
    Dialog().lblMaxNodes->setNum(10);
    EXPECT_EQ(ExpectCaptionsShowWhole(Dialog()), 15);
    const QFont before = QApplication::font();
    QFont small = before;
    small.setPointSize(8);
    Dialog().hide();
    QApplication::setFont(small);
    QCoreApplication::sendPostedEvents();
    ShowDialog();
    EXPECT_EQ(Dialog().lblAngRaster->font().pointSize(), 8);
    EXPECT_EQ(ExpectCaptionsShowWhole(Dialog()), 15);
    QApplication::setFont(before);
}

TEST_F(OptionsDialog, ShowingFillsTheFieldsFromTheWindow)
{
    window->Viewer.BgColor = RgbColor(10, 20, 30);
    window->Viewer.FgColor = RgbColor(200, 100, 0);
    window->Viewer.PenWidth = 3;
    window->ZoomAnimation = false;
    window->ZoomSteps = 42;
    window->Timer1.setInterval(25);
    window->MinLength = 0.25;
    window->MaxLength = 3;
    ShowDialog();
    EXPECT_EQ(Dialog().lblBgColor->palette().color(QPalette::Window), QColor(10, 20, 30));
    EXPECT_EQ(TanimationDlg::SwatchColor(Dialog().lblFgColor), RgbColor(200, 100, 0));
    EXPECT_EQ(Dialog().txtPenWidth->text(), QStringLiteral("3"));
    EXPECT_FALSE(Dialog().chkAnimation->isChecked());
    EXPECT_EQ(Dialog().txtSteps->text(), QStringLiteral("42"));
    EXPECT_EQ(Dialog().txtDelay->text(), QStringLiteral("25"));
    const QString separator(QChar::fromLatin1(SystemDecimalSeparator()));
    EXPECT_EQ(Dialog().txtMinLength->text(), QStringLiteral("0") + separator + QStringLiteral("25"));
    EXPECT_EQ(Dialog().txtMaxLength->text(), QStringLiteral("3"));
}

TEST_F(OptionsDialog, RasterLabelsFollowTheSlidersAndAreRightWhenThePositionStays)
{
    ShowDialog();
    const std::tuple<QSlider*, int, const char*> steps[] = {
        {Dialog().tbAngRaster, 12, "1/12 Umdrehung"}, {Dialog().tbAngRaster, 1, "[deaktiviert]"},
        {Dialog().tbLenRaster, 1, "1 Einheit"},       {Dialog().tbLenRaster, 4, "1/4 Einheit"},
        {Dialog().tbLenRaster, 0, "[deaktiviert]"}};
    for (const auto& [slider, value, text] : steps) {
        slider->setValue(value);
        EXPECT_EQ((slider == Dialog().tbAngRaster ? Dialog().lblAngRaster : Dialog().lblLenRaster)->text(),
                  QString::fromUtf8(text));
    }
    Dialog().hide();
    {
        const QSignalBlocker angle(Dialog().tbAngRaster);
        const QSignalBlocker length(Dialog().tbLenRaster);
        Dialog().tbAngRaster->setValue(6);
        Dialog().tbLenRaster->setValue(3);
    }
    window->Editor.AngRaster = 6;
    window->Editor.LenRaster = 3;
    ShowDialog();
    EXPECT_EQ(Dialog().lblAngRaster->text(), QStringLiteral("1/6 Umdrehung"));
    EXPECT_EQ(Dialog().lblLenRaster->text(), QStringLiteral("1/3 Einheit"));
}

TEST_F(OptionsDialog, NodeSlidersShowTheStoredRangeWhateverTheyShowedBefore)
{
    const TanimationDlg& d = Dialog();
    for (int oldMin = 3; oldMin <= 10; ++oldMin)
        for (int oldMax = oldMin; oldMax <= 10; ++oldMax)
            for (int newMin = 3; newMin <= 10; ++newMin)
                for (int newMax = newMin; newMax <= 10; ++newMax) {
                    window->MinNodes = oldMin;
                    window->MaxNodes = oldMax;
                    Dialog().FormShow();
                    window->MinNodes = newMin;
                    window->MaxNodes = newMax;
                    Dialog().FormShow();
                    SCOPED_TRACE(testing::Message() << oldMin << ".." << oldMax << " -> " << newMin << ".." << newMax);
                    EXPECT_EQ(d.tbMinNodes->minimum(), 3);
                    EXPECT_EQ(d.tbMinNodes->maximum(), newMax);
                    EXPECT_EQ(d.tbMinNodes->value(), newMin);
                    EXPECT_EQ(d.tbMaxNodes->minimum(), newMin);
                    EXPECT_EQ(d.tbMaxNodes->maximum(), 10);
                    EXPECT_EQ(d.tbMaxNodes->value(), newMax);
                    EXPECT_EQ(d.lblMinNodes->text(), QString::number(newMin));
                    EXPECT_EQ(d.lblMaxNodes->text(), QString::number(newMax));
                    if (HasFailure())
                        return;
                }
}

TEST_F(OptionsDialog, NodeSlidersBoundEachOther)
{
    window->MinNodes = 3;
    window->MaxNodes = 5;
    ShowDialog();
    Dialog().tbMinNodes->setValue(5);
    EXPECT_EQ(Dialog().lblMinNodes->text(), QStringLiteral("5"));
    EXPECT_EQ(Dialog().tbMaxNodes->minimum(), 5);
    Dialog().tbMaxNodes->setValue(4);
    EXPECT_EQ(Dialog().tbMaxNodes->value(), 5) << "the maximum cannot go below the minimum";
    Dialog().tbMaxNodes->setValue(8);
    EXPECT_EQ(Dialog().lblMaxNodes->text(), QStringLiteral("8"));
    EXPECT_EQ(Dialog().tbMinNodes->maximum(), 8);
    Dialog().tbMinNodes->setValue(9);
    EXPECT_EQ(Dialog().tbMinNodes->value(), 8) << "the minimum cannot pass the maximum";
    EXPECT_EQ(window->MinNodes, 3) << "the window keeps its values until it applies the dialog";
}

TEST_F(OptionsDialog, ColourButtonsAskForAColourAndSwatchesKeepDesktopColours)
{
    window->Viewer.BgColor = kWhite;
    ShowDialog();
    dialogs.colors.push_back(QColor(1, 2, 3));
    Dialog().cmdBgColor->click();
    EXPECT_EQ(TanimationDlg::SwatchColor(Dialog().lblBgColor), RgbColor(1, 2, 3));
    dialogs.colors.push_back(std::nullopt);
    Dialog().cmdBgColor->click();
    EXPECT_EQ(TanimationDlg::SwatchColor(Dialog().lblBgColor), RgbColor(1, 2, 3)) << "cancelled";
    dialogs.colors.push_back(QColor(4, 5, 6));
    Dialog().cmdFgColor->click();
    EXPECT_EQ(TanimationDlg::SwatchColor(Dialog().lblFgColor), RgbColor(4, 5, 6));
    EXPECT_EQ(window->Viewer.BgColor, kWhite);

    TanimationDlg::SetSwatchColor(Dialog().lblBgColor, kButtonFaceColor);
    EXPECT_EQ(TanimationDlg::SwatchColor(Dialog().lblBgColor), kButtonFaceColor);
    EXPECT_EQ(Dialog().lblBgColor->palette().color(QPalette::Window), ToQColor(kButtonFaceColor));
}

TEST_F(OptionsDialog, TabOrderVisitsTheRasterGroupLast)
{
    const TanimationDlg& d = Dialog();
    const QList<QWidget*> expected{d.cmdBgColor, d.cmdFgColor, d.txtPenWidth,  d.chkAnimation, d.txtSteps,
                                   d.txtDelay,   d.tbMinNodes, d.tbMaxNodes,   d.txtMinLength, d.txtMaxLength,
                                   d.cmdOk,      d.cmdCancel,  d.tbAngRaster,  d.tbLenRaster};
    QList<QWidget*> chain;
    QWidget* w = d.cmdBgColor;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w;
        w = w->nextInFocusChain();
    } while (w != d.cmdBgColor);
    EXPECT_EQ(chain, expected);
}

TEST_F(OptionsDialog, EnterAcceptsEscapeDoesNothingCancelAndTheCloseBoxReject)
{
    ShowDialog();
    QTest::keyClick(Dialog().txtSteps, Qt::Key_Escape);
    EXPECT_TRUE(Dialog().isVisible());
    QTest::keyClick(Dialog().txtSteps, Qt::Key_Return);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(Dialog().result(), QDialog::Accepted);
    ShowDialog();
    Dialog().cmdCancel->click();
    EXPECT_EQ(Dialog().result(), QDialog::Rejected);
    ShowDialog();
    Dialog().setResult(QDialog::Accepted);
    Dialog().close();
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(Dialog().result(), QDialog::Rejected);
}

} // namespace
