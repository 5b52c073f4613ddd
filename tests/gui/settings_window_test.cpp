#include "tests/gui/window_fixture.h"

#include "app/texport_dlg.h"

#include <QSettings>

// How values are read, written and made sound is tested on the store
// (settings_test), how the dialogs show the window's values in their own
// tests; here: when the window reads and writes them, and that it runs on
// whatever it finds.

namespace {

class SettingsWindow : public WindowTest {
protected:
    static QSettings Store()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Ornalix"));
    }

    // Closes the window, lets the caller fill the emptied store, and starts
    // the window again.
    template <typename Fill>
    void RestartWithStore(Fill fill)
    {
        window.reset();
        ClearSettings();
        {
            QSettings store = Store();
            fill(store);
        }
        OpenWindow();
    }
};

TEST_F(SettingsWindow, FirstStartUsesTheDefaultsAndClosingWritesAllFourteen)
{
    EXPECT_TRUE(dialogs.messages.empty());
    ExpectSettings(SettingValues());
    EXPECT_FALSE(QFile::exists(SettingsFile())) << "nothing is written before the window closes";
    window.reset();
    EXPECT_EQ(Store().allKeys().size(), 14);
}

TEST_F(SettingsWindow, AValueOfTheWrongTypeIsReportedAndTheProgramRunsOn)
{
    // Where the store's reading stops is tested on the store; the window
    // shows what was read before the bad value. 255 is red.
    window.reset();
    ASSERT_TRUE(WriteBytes(SettingsFile(), "[General]\nbgColor=255\nzoomSteps=viele\n"));
    OpenWindow();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Ornalix"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Ungültiger Datentyp für 'zoomSteps'"));
    EXPECT_EQ(FractPicture().pixel(0, 0), qRgb(255, 0, 0));

    // Closing writes sound values, so the next start is quiet and keeps what
    // was read.
    ReopenWindow();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(session->Viewer.BgColor, 255u);
    EXPECT_EQ(session->ZoomSteps, 60);
}

TEST_F(SettingsWindow, StoredValuesThatWouldStallTheProgramFallBackToDefaults)
{
    RestartWithStore([](QSettings& store) {
        const std::pair<const char*, QVariant> values[] = {
            {"penWidth", 0}, {"zoomSteps", 0}, {"zoomDelay", 0}, {"angRaster", 999999}, {"minNodes", 0}, {"maxNodes", -4},
            {"minLength", QByteArray("\0\0\0\0\0\0\0\0", 8)}, {"maxLength", QByteArray("\0\0\0\0\0\0\0\x40", 8)},
            {"exportWidth", 800}};
        for (const auto& [name, value] : values)
            store.setValue(QLatin1String(name), value);
    });
    EXPECT_TRUE(dialogs.messages.empty());
    SettingValues expected;
    expected.ExportWidth = 800; // a sound value stays
    ExpectSettings(expected);
}

TEST_F(SettingsWindow, OptionsAndTheLastExportSizeAreFoundAgainAfterARestart)
{
    dialogs.dialogScripts.push_back([](QDialog& dialog) {
        FillValidOptions(static_cast<TanimationDlg&>(dialog));
        return int(QDialog::Accepted);
    });
    Trigger(mnuOptions());
    dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& d = static_cast<TexportDlg&>(dialog);
        Named<QLineEdit>(d, "txtWidth")->setText(QStringLiteral("640"));
        Named<QLineEdit>(d, "txtHeight")->setText(QStringLiteral("480"));
        return int(QDialog::Accepted);
    });
    dialogs.files.push_back(QString()); // the picture's file dialog is cancelled
    Trigger(Exportieren1());
    ASSERT_TRUE(dialogs.messages.empty());

    ReopenWindow();
    EXPECT_TRUE(dialogs.messages.empty());
    SettingValues expected = ValidOptions();
    expected.ExportWidth = 640;
    expected.ExportHeight = 480;
    ExpectSettings(expected);
}

} // namespace
