#include "window_fixture.h"

#include "number_text.h"
#include "tanimation_dlg.h"

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

    void ExpectNodeSliders(int minNodes, int maxNodes)
    {
        const TanimationDlg& d = Dialog();
        EXPECT_EQ(d.tbMinNodes->minimum(), 3);
        EXPECT_EQ(d.tbMinNodes->maximum(), maxNodes);
        EXPECT_EQ(d.tbMinNodes->value(), minNodes);
        EXPECT_EQ(d.tbMaxNodes->minimum(), minNodes);
        EXPECT_EQ(d.tbMaxNodes->maximum(), 10);
        EXPECT_EQ(d.tbMaxNodes->value(), maxNodes);
        EXPECT_EQ(d.lblMinNodes->text(), QString::number(minNodes));
        EXPECT_EQ(d.lblMaxNodes->text(), QString::number(maxNodes));
    }

    // The widgets the tab key visits, in order, starting at the first field.
    QList<QWidget*> TabChain()
    {
        QList<QWidget*> chain;
        QWidget* w = Dialog().cmdBgColor;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                chain << w;
            w = w->nextInFocusChain();
        } while (w != Dialog().cmdBgColor);
        return chain;
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

TEST_F(OptionsDialog, LabelsAreWideEnoughForTheirTexts)
{
    for (const QLabel* label : Dialog().findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
            << label->objectName().toStdString();
    }
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

TEST_F(OptionsDialog, RasterLabelsFollowTheSliders)
{
    ShowDialog();
    Dialog().tbAngRaster->setValue(12);
    EXPECT_EQ(Dialog().lblAngRaster->text(), QStringLiteral("1/12 Umdrehung"));
    Dialog().tbAngRaster->setValue(1);
    EXPECT_EQ(Dialog().lblAngRaster->text(), QStringLiteral("[deaktiviert]"));
    Dialog().tbLenRaster->setValue(1);
    EXPECT_EQ(Dialog().lblLenRaster->text(), QStringLiteral("1 Einheit"));
    Dialog().tbLenRaster->setValue(4);
    EXPECT_EQ(Dialog().lblLenRaster->text(), QStringLiteral("1/4 Einheit"));
    Dialog().tbLenRaster->setValue(0);
    EXPECT_EQ(Dialog().lblLenRaster->text(), QStringLiteral("[deaktiviert]"));
}

TEST_F(OptionsDialog, NoAngleRasterShowsAtTheFirstPosition)
{
    window->Editor.AngRaster = 0;
    window->Editor.LenRaster = 0;
    ShowDialog();
    EXPECT_EQ(Dialog().tbAngRaster->value(), 1);
    EXPECT_EQ(Dialog().lblAngRaster->text(), QStringLiteral("[deaktiviert]"));
    EXPECT_EQ(Dialog().lblLenRaster->text(), QStringLiteral("[deaktiviert]"));
}

TEST_F(OptionsDialog, RasterLabelsAreRightWhenThePositionStays)
{
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
                    ExpectNodeSliders(newMin, newMax);
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

TEST_F(OptionsDialog, ColourButtonsAskForAColourStartingFromTheSwatch)
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
}

TEST_F(OptionsDialog, SwatchKeepsADesktopColourReference)
{
    TanimationDlg::SetSwatchColor(Dialog().lblBgColor, kButtonFaceColor);
    EXPECT_EQ(TanimationDlg::SwatchColor(Dialog().lblBgColor), kButtonFaceColor);
    EXPECT_EQ(Dialog().lblBgColor->palette().color(QPalette::Window), ToQColor(kButtonFaceColor));
}

TEST_F(OptionsDialog, TabOrderVisitsTheRasterGroupLast)
{
    const TanimationDlg& d = Dialog();
    const QList<QWidget*> expected{d.cmdBgColor,  d.cmdFgColor, d.txtPenWidth,  d.chkAnimation, d.txtSteps,
                                   d.txtDelay,    d.tbMinNodes, d.tbMaxNodes,   d.txtMinLength, d.txtMaxLength,
                                   d.cmdOk,       d.cmdCancel,  d.tbAngRaster,  d.tbLenRaster};
    EXPECT_EQ(TabChain(), expected);
}

TEST_F(OptionsDialog, EnterAcceptsAndEscapeDoesNothing)
{
    ShowDialog();
    QTest::keyClick(Dialog().txtSteps, Qt::Key_Escape);
    EXPECT_TRUE(Dialog().isVisible());
    QTest::keyClick(Dialog().txtSteps, Qt::Key_Return);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(Dialog().result(), QDialog::Accepted);
}

TEST_F(OptionsDialog, CancelAndTheCloseBoxReject)
{
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
