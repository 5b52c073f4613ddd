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

TEST_F(ExportDialog, CaptionsShowWholeAndTheWidthComesFirst)
{
    ShowDialog();
    EXPECT_GT(ExpectCaptionsShowWhole(Dialog()), 0);
    EXPECT_EQ(QApplication::focusWidget(), Named<QLineEdit>(Dialog(), "txtWidth"));
    EXPECT_EQ(Named<QLineEdit>(Dialog(), "txtWidth")->nextInFocusChain(), Named<QLineEdit>(Dialog(), "txtHeight"));
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
