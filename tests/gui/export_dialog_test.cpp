#include "window_fixture.h"

#include "texport_dlg.h"

namespace {

class ExportDialog : public WindowTest {
protected:
    TexportDlg& Dialog() { return *window->exportDlg; }

    void ShowDialog()
    {
        Dialog().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dialog()));
    }
};

TEST_F(ExportDialog, FixedFrameWithTheCaptionAndTheDefaultButton)
{
    ShowDialog();
    EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("Fraktal exportieren"));
    EXPECT_EQ(Dialog().size(), QSize(196, 172));
    EXPECT_EQ(Dialog().minimumSize(), Dialog().maximumSize());
    EXPECT_EQ(Dialog().parentWidget(), window.get());
    EXPECT_EQ(Dialog().GroupBox1->title(), QStringLiteral("Bildgröße (px)"));
    EXPECT_EQ(Dialog().cmdCurrentSize->text(), QStringLiteral("aktuelle Größe"));
    EXPECT_TRUE(Dialog().cmdOk->isDefault());
}

TEST_F(ExportDialog, LabelsAreWideEnoughForTheirTexts)
{
    for (const QLabel* label : Dialog().findChildren<QLabel*>())
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
            << label->objectName().toStdString();
}

TEST_F(ExportDialog, ShowingFillsInTheStoredSize)
{
    window->ExportWidth = 640;
    window->ExportHeight = 480;
    ShowDialog();
    EXPECT_EQ(Dialog().txtWidth->text(), QStringLiteral("640"));
    EXPECT_EQ(Dialog().txtHeight->text(), QStringLiteral("480"));
}

TEST_F(ExportDialog, CurrentSizeTakesTheFractalPane)
{
    ShowDialog();
    Dialog().cmdCurrentSize->click();
    const QRect pane = window->ptbFract->ClientRect();
    EXPECT_EQ(Dialog().txtWidth->text(), QString::number(pane.width()));
    EXPECT_EQ(Dialog().txtHeight->text(), QString::number(pane.height()));
    EXPECT_EQ(window->ExportWidth, 256) << "the window keeps its size until it applies the dialog";
}

TEST_F(ExportDialog, TabOrderStartsWithTheWidth)
{
    ShowDialog();
    EXPECT_EQ(Dialog().txtWidth->nextInFocusChain(), Dialog().txtHeight);
    EXPECT_EQ(QApplication::focusWidget(), Dialog().txtWidth);
}

TEST_F(ExportDialog, EnterAcceptsAndEscapeRejects)
{
    ShowDialog();
    QTest::keyClick(Dialog().txtWidth, Qt::Key_Return);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(Dialog().result(), QDialog::Accepted);
    ShowDialog();
    QTest::keyClick(Dialog().txtWidth, Qt::Key_Escape);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(Dialog().result(), QDialog::Rejected);
}

} // namespace
