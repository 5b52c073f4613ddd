#include "tests/gui/window_fixture.h"

#include "app/tanimation_dlg.h"

#include <QLocale>

// Files and options under a German locale, where numbers take a decimal
// comma. CTest runs these once more with LC_ALL=de_DE.UTF-8; in any other
// locale they are skipped.

namespace {

class GermanLocale : public WindowTest {
protected:
    void SetUp() override
    {
        if (QLocale::system().decimalPoint() != QStringLiteral(",")) {
            // The German run sets LC_ALL; there a missing comma is a fault.
            ASSERT_NE(qgetenv("LC_ALL"), "de_DE.UTF-8") << "the locale gave no decimal comma";
            GTEST_SKIP() << "needs a locale with a decimal comma, e.g. LC_ALL=de_DE.UTF-8";
        }
        WindowTest::SetUp();
    }

    void ApplyLengths(const QString& minLength, const QString& maxLength)
    {
        dialogs.dialogScripts.push_back([=](QDialog& dialog) {
            auto& d = static_cast<TanimationDlg&>(dialog);
            Named<QLineEdit>(d, "txtMinLength")->setText(minLength);
            Named<QLineEdit>(d, "txtMaxLength")->setText(maxLength);
            return int(QDialog::Accepted);
        });
        Trigger(mnuOptions());
    }
};

TEST_F(GermanLocale, SaveAsWritesDecimalCommas)
{
    tbDepth()->setValue(3);
    const QString path = files.filePath(QStringLiteral("start.fract"));
    dialogs.files.push_back(path);
    Trigger(Speichern1());
    EXPECT_EQ(ReadBytes(path), QByteArray("3\r\n-1\r\n1\r\n0\r\n0,6\r\n-0,8\r\n-0,28\r\n0,96\r\n0,6\r\n-0,8\r\n"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ornalix - start.fract"));
}

TEST_F(GermanLocale, OptionsShowAndTakeDecimalCommas)
{
    dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& d = static_cast<TanimationDlg&>(dialog);
        EXPECT_EQ(Named<QLineEdit>(d, "txtMinLength")->text(), QStringLiteral("0,5"));
        EXPECT_EQ(Named<QLineEdit>(d, "txtMaxLength")->text(), QStringLiteral("2"));
        return int(QDialog::Rejected);
    });
    Trigger(mnuOptions());

    ApplyLengths(QStringLiteral("0,1"), QStringLiteral("9,99"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(session->MinLength, 0.1);
    EXPECT_EQ(session->MaxLength, 9.99);
}

TEST_F(GermanLocale, OptionsRejectADecimalPoint)
{
    ApplyLengths(QStringLiteral("0.1"), QStringLiteral("9,99"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Warnung"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Ungültige Zahl"));
    EXPECT_EQ(session->MinLength, 0.5);
    EXPECT_EQ(session->MaxLength, 2.0);
}

} // namespace
