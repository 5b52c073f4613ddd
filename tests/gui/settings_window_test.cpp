#include "tests/gui/window_fixture.h"

#include "app/texport_dlg.h"

#include <QSettings>

#include <cstring>

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
    EXPECT_EQ(session->Viewer.BgColor, kWhite);
    EXPECT_EQ(session->Viewer.FgColor, kBlack);
    ExpectDefaultsAfterTheColours();
    EXPECT_EQ(session->ExportWidth, 256);
    EXPECT_EQ(session->ExportHeight, 256);
    EXPECT_FALSE(QFile::exists(SettingsFile())) << "nothing is written before the window closes";

    window.reset();
    ASSERT_TRUE(QFile::exists(SettingsFile()));
    QSettings store = Store();
    EXPECT_EQ(store.allKeys().size(), 14);
    const std::pair<const char*, int> numbers[] = {
        {"bgColor", 0xFFFFFF}, {"fgColor", 0},    {"penWidth", 1},  {"zoomSteps", 60},     {"zoomDelay", 15},
        {"zoomAnimation", 1},  {"angRaster", 0},  {"lenRaster", 0}, {"minNodes", 3},       {"maxNodes", 5},
        {"exportWidth", 256},  {"exportHeight", 256}};
    for (const auto& [name, value] : numbers)
        EXPECT_EQ(store.value(QLatin1String(name)).toInt(), value) << name;
    // The lengths are the eight bytes of a little-endian double.
    EXPECT_EQ(store.value(QStringLiteral("minLength")).toByteArray(), QByteArray("\0\0\0\0\0\0\xE0\x3F", 8));
    EXPECT_EQ(store.value(QStringLiteral("maxLength")).toByteArray(), QByteArray("\0\0\0\0\0\0\0\x40", 8));
}

TEST_F(SettingsWindow, AValueOfTheWrongTypeIsReportedAndTheProgramRunsOn)
{
    // Colour references are 0x00BBGGRR: 255 is red, 65280 green.
    window.reset();
    ASSERT_TRUE(WriteBytes(SettingsFile(), "[General]\nbgColor=255\nfgColor=65280\npenWidth=2\nzoomSteps=viele\n"
                                           "zoomDelay=40\nexportWidth=640\n"));
    OpenWindow();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Ornalix"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Ungültiger Datentyp für 'zoomSteps'"));
    EXPECT_EQ(session->Viewer.BgColor, 255u) << "read before the bad value";
    EXPECT_EQ(session->Viewer.FgColor, 65280u);
    EXPECT_EQ(session->Viewer.PenWidth, 2);
    EXPECT_EQ(session->ZoomSteps, 60) << "the bad value keeps its default";
    EXPECT_EQ(session->Timer().interval(), 15) << "not read after the bad value";
    EXPECT_EQ(session->ExportWidth, 256);

    // The window works: both panes draw, New does its part.
    const QImage fract = FractPicture();
    EXPECT_EQ(fract.pixel(0, 0), qRgb(255, 0, 0));
    int green = 0;
    for (int y = 0; y < fract.height(); ++y)
        for (int x = 0; x < fract.width(); ++x)
            green += fract.pixel(x, y) == qRgb(0, 255, 0);
    EXPECT_GT(green, fract.width() / 2) << "the curve in green";
    EXPECT_EQ(EditorPicture().pixel(Node(2).x(), Node(2).y() - 2), qRgb(255, 255, 255)) << "the editor shows its nodes";
    Trigger(Neu1());
    EXPECT_GE(session->Generator.Count, 3);

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
    ExpectDefaultsAfterTheColours();
    EXPECT_EQ(session->ExportWidth, 800) << "a sound value stays";

    // Neither New, nor a zoom, nor the animation nor the options dialog
    // stall on what was stored.
    Trigger(Neu1());
    EXPECT_GE(session->Generator.Count, 3);
    EXPECT_LE(session->Generator.Count, 4);
    session->ZoomToBand(Complex(60, 40), Complex(180, 120));
    for (int i = 0; i < 1000 && session->Timer().isActive(); ++i)
        session->Tick();
    EXPECT_EQ(session->Mode(), modeIdle) << "the zoom came to its end";
    QTest::mouseClick(chkAnimLen(), Qt::LeftButton);
    for (int i = 0; i < 200; ++i)
        session->Tick();
    EXPECT_FALSE(FractPicture().isNull());
    dialogs.dialogScripts.push_back([](QDialog&) { return int(QDialog::Rejected); });
    Trigger(mnuOptions());
    EXPECT_TRUE(dialogs.dialogScripts.empty()) << "the dialog was shown";
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
    ExpectValidOptions();
    EXPECT_EQ(session->ExportWidth, 640);
    EXPECT_EQ(session->ExportHeight, 480);
}

} // namespace
