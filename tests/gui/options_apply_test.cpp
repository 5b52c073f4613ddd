#include "window_fixture.h"

#include "tanimation_dlg.h"

#include <QApplication>

#include <functional>

namespace {

// The options dialog as the menu shows it, and what its "Ok" applies.
class OptionsApply : public WindowTest {
protected:
    using Fill = std::function<void(TanimationDlg&)>;

    // Shows the dialog through the menu, lets fill change its fields and
    // closes it with "Ok".
    void Apply(const Fill& fill)
    {
        dialogs.dialogScripts.push_back([fill](QDialog& dialog) {
            auto& d = static_cast<TanimationDlg&>(dialog);
            fill(d);
            d.cmdOk->click();
            return d.result();
        });
        Trigger(window->mnuOptions);
        ASSERT_TRUE(dialogs.dialogScripts.empty());
    }

    // Every message shown so far, all of them warnings.
    QStringList Warnings() const
    {
        for (const auto& m : dialogs.messages) {
            EXPECT_EQ(m.icon, QMessageBox::Warning) << m.text.toStdString();
            EXPECT_EQ(m.caption, QStringLiteral("Warnung")) << m.text.toStdString();
        }
        return dialogs.MessageTexts();
    }

    // Fields with values other than the defaults, all of them valid.
    static void FillValid(TanimationDlg& d)
    {
        TanimationDlg::SetSwatchColor(d.lblBgColor, RgbColor(0, 0, 128));
        TanimationDlg::SetSwatchColor(d.lblFgColor, RgbColor(255, 255, 0));
        d.txtPenWidth->setText(QStringLiteral("3"));
        d.chkAnimation->setChecked(false);
        d.txtSteps->setText(QStringLiteral("20"));
        d.txtDelay->setText(QStringLiteral("40"));
        d.tbAngRaster->setValue(8);
        d.tbLenRaster->setValue(2);
        d.tbMaxNodes->setValue(9);
        d.tbMinNodes->setValue(6);
        d.txtMinLength->setText(QStringLiteral("0.75"));
        d.txtMaxLength->setText(QStringLiteral("1.5"));
    }

    void ExpectColoursApplied()
    {
        EXPECT_EQ(window->Viewer.BgColor, RgbColor(0, 0, 128));
        EXPECT_EQ(window->Viewer.FgColor, RgbColor(255, 255, 0));
    }

    void ExpectAllAfterThePenApplied()
    {
        EXPECT_FALSE(window->ZoomAnimation);
        EXPECT_EQ(window->ZoomSteps, 20);
        EXPECT_EQ(window->Timer1.interval(), 40);
        ExpectRastersNodesAndLengthsApplied();
    }

    void ExpectRastersNodesAndLengthsApplied()
    {
        EXPECT_EQ(window->Editor.AngRaster, 8);
        EXPECT_EQ(window->Editor.LenRaster, 2);
        EXPECT_EQ(window->MinNodes, 6);
        EXPECT_EQ(window->MaxNodes, 9);
        EXPECT_EQ(window->MinLength, 0.75);
        EXPECT_EQ(window->MaxLength, 1.5);
    }

    void ExpectDefaultsAfterTheColours()
    {
        EXPECT_EQ(window->Viewer.PenWidth, 1);
        EXPECT_TRUE(window->ZoomAnimation);
        EXPECT_EQ(window->ZoomSteps, 60);
        EXPECT_EQ(window->Timer1.interval(), 15);
        EXPECT_EQ(window->Editor.AngRaster, 0);
        EXPECT_EQ(window->Editor.LenRaster, 0);
        EXPECT_EQ(window->MinNodes, 3);
        EXPECT_EQ(window->MaxNodes, 5);
        EXPECT_EQ(window->MinLength, 0.5);
        EXPECT_EQ(window->MaxLength, 2.0);
    }
};

TEST_F(OptionsApply, TheDialogShowsTheDefaultsOnFirstStart)
{
    if (QLocale::system().decimalPoint() != QStringLiteral("."))
        GTEST_SKIP() << "the lengths are written with the locale's separator";
    dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& d = static_cast<TanimationDlg&>(dialog);
        EXPECT_EQ(TanimationDlg::SwatchColor(d.lblBgColor), RgbColor(255, 255, 255));
        EXPECT_EQ(d.lblBgColor->palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_EQ(TanimationDlg::SwatchColor(d.lblFgColor), RgbColor(0, 0, 0));
        EXPECT_EQ(d.lblFgColor->palette().color(QPalette::Window), QColor(Qt::black));
        EXPECT_EQ(d.txtPenWidth->text(), QStringLiteral("1"));
        EXPECT_TRUE(d.chkAnimation->isChecked());
        EXPECT_EQ(d.txtSteps->text(), QStringLiteral("60"));
        EXPECT_EQ(d.txtDelay->text(), QStringLiteral("15"));
        EXPECT_EQ(d.tbAngRaster->value(), 1);
        EXPECT_EQ(d.lblAngRaster->text(), QStringLiteral("[deaktiviert]"));
        EXPECT_EQ(d.tbLenRaster->value(), 0);
        EXPECT_EQ(d.lblLenRaster->text(), QStringLiteral("[deaktiviert]"));
        EXPECT_EQ(d.tbMinNodes->value(), 3);
        EXPECT_EQ(d.tbMaxNodes->value(), 5);
        EXPECT_EQ(d.lblMinNodes->text(), QStringLiteral("3"));
        EXPECT_EQ(d.lblMaxNodes->text(), QStringLiteral("5"));
        EXPECT_EQ(d.txtMinLength->text(), QStringLiteral("0.5"));
        EXPECT_EQ(d.txtMaxLength->text(), QStringLiteral("2"));
        return int(QDialog::Rejected);
    });
    Trigger(window->mnuOptions);
    EXPECT_TRUE(dialogs.dialogScripts.empty());
}

TEST_F(OptionsApply, OkAppliesEveryFieldAndRedrawsInTheNewColours)
{
    Apply(FillValid);
    EXPECT_TRUE(dialogs.messages.empty());
    ExpectColoursApplied();
    EXPECT_EQ(window->Viewer.PenWidth, 3);
    ExpectAllAfterThePenApplied();
    const QImage fract = FractPicture();
    EXPECT_EQ(fract.pixel(0, 0), qRgb(0, 0, 128));
}

TEST_F(OptionsApply, APenWidthOutOfRangeIsReportedAndTheRestStillApplied)
{
    for (const char* width : {"0", "11", "-1"}) {
        SCOPED_TRACE(width);
        dialogs.messages.clear();
        Apply([width](TanimationDlg& d) {
            FillValid(d);
            d.txtPenWidth->setText(QString::fromLatin1(width));
        });
        EXPECT_EQ(Warnings(), QStringList{QStringLiteral("Ungültige Linienstärke")});
        EXPECT_EQ(window->Viewer.PenWidth, 1);
        ExpectColoursApplied();
        ExpectAllAfterThePenApplied();
    }
    // The bounds themselves are valid.
    dialogs.messages.clear();
    Apply([](TanimationDlg& d) { d.txtPenWidth->setText(QStringLiteral("10")); });
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->Viewer.PenWidth, 10);
}

TEST_F(OptionsApply, AFieldWithoutANumberStopsTheApplyingThere)
{
    // An empty pen width: the colours are in, nothing after them.
    Apply([](TanimationDlg& d) {
        FillValid(d);
        d.txtPenWidth->clear();
    });
    EXPECT_EQ(Warnings(), QStringList{QStringLiteral("Ungültige Zahl")});
    ExpectColoursApplied();
    ExpectDefaultsAfterTheColours();

    // Letters in the interval: the steps before it are in, the rasters not.
    dialogs.messages.clear();
    Apply([](TanimationDlg& d) {
        FillValid(d);
        d.txtDelay->setText(QStringLiteral("40ms"));
    });
    EXPECT_EQ(Warnings(), QStringList{QStringLiteral("Ungültige Zahl")});
    EXPECT_EQ(window->Viewer.PenWidth, 3);
    EXPECT_EQ(window->ZoomSteps, 20);
    EXPECT_EQ(window->Timer1.interval(), 15);
    EXPECT_EQ(window->Editor.AngRaster, 0);
    EXPECT_EQ(window->MinNodes, 3);

    // A bad maximum length: the minimum alone is not taken either.
    dialogs.messages.clear();
    Apply([](TanimationDlg& d) {
        FillValid(d);
        d.txtMaxLength->setText(QStringLiteral("zwei"));
    });
    EXPECT_EQ(Warnings(), QStringList{QStringLiteral("Ungültige Zahl")});
    EXPECT_EQ(window->Editor.AngRaster, 8);
    EXPECT_EQ(window->MinLength, 0.5);
    EXPECT_EQ(window->MaxLength, 2.0);
}

TEST_F(OptionsApply, NoStepsAndNoIntervalWarnInTurnAndTheRestIsApplied)
{
    Apply([](TanimationDlg& d) {
        FillValid(d);
        d.txtSteps->setText(QStringLiteral("0"));
        d.txtDelay->setText(QStringLiteral("0"));
    });
    EXPECT_EQ(Warnings(), (QStringList{QStringLiteral("Ungültige Angabe der Berechnungsschritte"),
                                       QStringLiteral("Ungültiges Berechnungsintervall")}));
    EXPECT_EQ(window->ZoomSteps, 60);
    EXPECT_EQ(window->Timer1.interval(), 15);
    EXPECT_FALSE(window->ZoomAnimation);
    EXPECT_EQ(window->Viewer.PenWidth, 3);
    ExpectRastersNodesAndLengthsApplied();
}

TEST_F(OptionsApply, LengthsMustBePositiveIncreasingAndBelowTen)
{
    const std::pair<const char*, const char*> bad[] = {{"1", "1"}, {"0", "2"}, {"2", "10"}, {"3", "2"}, {"-1", "2"}};
    for (const auto& [a, b] : bad) {
        SCOPED_TRACE(testing::Message() << a << " / " << b);
        dialogs.messages.clear();
        Apply([a, b](TanimationDlg& d) {
            FillValid(d);
            d.txtMinLength->setText(QString::fromLatin1(a));
            d.txtMaxLength->setText(QString::fromLatin1(b));
        });
        EXPECT_EQ(Warnings(), QStringList{QStringLiteral("Ungültige Bereichsangabe für die Kantenlänge")});
        EXPECT_EQ(window->MinLength, 0.5);
        EXPECT_EQ(window->MaxLength, 2.0);
        EXPECT_EQ(window->MaxNodes, 9) << "the fields before the lengths are in";
    }
    if (QLocale::system().decimalPoint() != QStringLiteral("."))
        return;
    dialogs.messages.clear();
    Apply([](TanimationDlg& d) {
        d.txtMinLength->setText(QStringLiteral("0.1"));
        d.txtMaxLength->setText(QStringLiteral(" 9.99 "));
    });
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->MinLength, 0.1);
    EXPECT_EQ(window->MaxLength, 9.99);
}

TEST_F(OptionsApply, AbbrechenChangesNothing)
{
    dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& d = static_cast<TanimationDlg&>(dialog);
        FillValid(d);
        d.txtSteps->setText(QStringLiteral("0"));
        d.cmdCancel->click();
        return d.result();
    });
    Trigger(window->mnuOptions);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->Viewer.BgColor, kWhite);
    EXPECT_EQ(window->Viewer.FgColor, kBlack);
    ExpectDefaultsAfterTheColours();
}

TEST_F(OptionsApply, NoAngleRasterShowsTheFirstPositionWhichOkThenStores)
{
    ASSERT_EQ(window->Editor.AngRaster, 0);
    Apply([](TanimationDlg& d) {
        EXPECT_EQ(d.tbAngRaster->value(), 1);
        EXPECT_EQ(d.lblAngRaster->text(), QStringLiteral("[deaktiviert]"));
    });
    EXPECT_EQ(window->Editor.AngRaster, 1);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OptionsApply, ARunningTimerTakesTheNewIntervalAtOnce)
{
    QTest::mouseClick(window->chkAnimAng, Qt::LeftButton);
    ASSERT_TRUE(window->Timer1.isActive());
    Apply([](TanimationDlg& d) { d.txtDelay->setText(QStringLiteral("40")); });
    EXPECT_EQ(window->Timer1.interval(), 40);
    EXPECT_TRUE(window->Timer1.isActive());
    EXPECT_EQ(window->Mode, modeAnimating) << "the options leave the animation running";

    // The running zoom ends after the new step count.
    QTest::mouseClick(window->chkAnimAng, Qt::LeftButton);
    Apply([](TanimationDlg& d) { d.txtSteps->setText(QStringLiteral("3")); });
    Complex c1(60, 40), c2(180, 120);
    window->ZoomTo(c1, c2);
    int ticks = 0;
    while (window->Timer1.isActive() && ticks < 100) {
        window->Timer1Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 4) << "three steps and a closing tick";
    EXPECT_EQ(window->Mode, modeIdle);
}

// The dialog with the program's small font: no caption runs under a control.
using OptionsLayout = WindowTest;

TEST_F(OptionsLayout, EveryCaptionShowsWholeInTheProgramsFont)
{
    struct ProgramFont {
        QFont before = QApplication::font();
        ProgramFont()
        {
            QFont font = before;
            font.setPointSize(8);
            QApplication::setFont(font);
        }
        ~ProgramFont() { QApplication::setFont(before); }
    } programFont;
    TanimationDlg& d = *window->animationDlg;
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    // The longest texts the value labels can show.
    d.lblAngRaster->setText(QStringLiteral("1/24 Umdrehung"));
    d.lblLenRaster->setText(QStringLiteral("1/12 Einheit"));
    d.lblMinNodes->setNum(10);
    d.lblMaxNodes->setNum(10);
    int captions = 0;
    for (const QLabel* label : d.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        ++captions;
        ASSERT_EQ(label->font().pointSize(), 8);
        const QRect text(label->pos(), QSize(label->fontMetrics().horizontalAdvance(label->text()), label->height()));
        const QWidget* group = label->parentWidget();
        EXPECT_LE(text.right(), group->rect().right()) << label->text().toStdString();
        for (const QWidget* sibling : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (sibling != label) {
                EXPECT_FALSE(text.intersects(sibling->geometry()))
                    << label->text().toStdString() << " runs under " << sibling->objectName().toStdString();
            }
        }
    }
    EXPECT_EQ(captions, 15);
}

} // namespace
