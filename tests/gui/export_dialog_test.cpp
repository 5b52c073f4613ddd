#include "tests/gui/window_fixture.h"

#include "app/texport_dlg.h"

namespace {

class ExportDialog : public WindowTest {
protected:
    TexportDlg& Dialog() { return *window->findChild<TexportDlg*>(); }

    void ShowDialog()
    {
        Dialog().SetValues({256, 256}, ptbFract()->ClientRect().size());
        Dialog().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dialog()));
    }
};

TEST_F(ExportDialog, FixedFrameWithTheCaptionTheDefaultButtonAndWholeCaptions)
{
    ShowDialog();
    EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("Fraktal exportieren"));
    EXPECT_EQ(Dialog().size(), QSize(196, 172));
    EXPECT_EQ(Dialog().minimumSize(), Dialog().maximumSize());
    EXPECT_EQ(Dialog().parentWidget(), window.get());
    EXPECT_EQ(Named<QGroupBox>(Dialog(), "GroupBox1")->title(), QStringLiteral("Bildgröße (px)"));
    EXPECT_EQ(Named<QPushButton>(Dialog(), "cmdCurrentSize")->text(), QStringLiteral("aktuelle Größe"));
    EXPECT_TRUE(Named<QPushButton>(Dialog(), "cmdOk")->isDefault());
    EXPECT_GT(ExpectCaptionsShowWhole(Dialog()), 0);
    // The tab order starts with the width.
    EXPECT_EQ(Named<QLineEdit>(Dialog(), "txtWidth")->nextInFocusChain(), Named<QLineEdit>(Dialog(), "txtHeight"));
    EXPECT_EQ(QApplication::focusWidget(), Named<QLineEdit>(Dialog(), "txtWidth"));
}

TEST_F(ExportDialog, CurrentSizeTakesTheFractalPaneButNotYetIntoTheWindow)
{
    ShowDialog();
    Named<QPushButton>(Dialog(), "cmdCurrentSize")->click();
    const QRect pane = ptbFract()->ClientRect();
    EXPECT_EQ(Named<QLineEdit>(Dialog(), "txtWidth")->text(), QString::number(pane.width()));
    EXPECT_EQ(Named<QLineEdit>(Dialog(), "txtHeight")->text(), QString::number(pane.height()));
    EXPECT_EQ(session->ExportWidth, 256);
}

TEST_F(ExportDialog, EnterAcceptsAndEscapeRejects)
{
    for (const auto& [key, result] : {std::pair(Qt::Key_Return, QDialog::Accepted), std::pair(Qt::Key_Escape, QDialog::Rejected)}) {
        ShowDialog();
        QTest::keyClick(Named<QLineEdit>(Dialog(), "txtWidth"), key);
        EXPECT_FALSE(Dialog().isVisible());
        EXPECT_EQ(Dialog().result(), result);
    }
}

} // namespace
