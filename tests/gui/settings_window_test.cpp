#include "window_fixture.h"

#include "tanimation_dlg.h"
#include "texport_dlg.h"

#include <QSettings>

#include <cstring>

namespace {

// The settings as the window finds them at its start and leaves them when it
// is closed.
class SettingsWindow : public WindowTest {
protected:
    static QSettings Store()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Ornalix"));
    }

    static QByteArray DoubleBytes(double value)
    {
        // Little-endian, as the store keeps them on every machine.
        quint64 bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        QByteArray bytes;
        for (int i = 0; i < 8; ++i)
            bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
        return bytes;
    }

    // Closes the window, replaces the store's file with the text, and starts
    // the window again.
    void RestartWithStoreText(const QByteArray& text)
    {
        window.reset();
        QFile file(SettingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        OpenWindow();
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

    void ExpectDefaultsExceptPenWidth()
    {
        EXPECT_EQ(window->Viewer.BgColor, 0xFFFFFFu);
        EXPECT_EQ(window->Viewer.FgColor, 0u);
        EXPECT_EQ(window->ZoomSteps, 60);
        EXPECT_EQ(window->Timer1.interval(), 15);
        EXPECT_TRUE(window->ZoomAnimation);
        EXPECT_EQ(window->Editor.AngRaster, 0);
        EXPECT_EQ(window->Editor.LenRaster, 0);
        EXPECT_EQ(window->MinNodes, 3);
        EXPECT_EQ(window->MaxNodes, 5);
        EXPECT_EQ(window->MinLength, 0.5);
        EXPECT_EQ(window->MaxLength, 2.0);
        EXPECT_EQ(window->ExportWidth, 256);
        EXPECT_EQ(window->ExportHeight, 256);
    }
};

TEST_F(SettingsWindow, FirstStartUsesTheDefaultsAndClosingWritesAllFourteen)
{
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->Viewer.PenWidth, 1);
    ExpectDefaultsExceptPenWidth();
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
    EXPECT_EQ(store.value(QStringLiteral("minLength")).toByteArray(), DoubleBytes(0.5));
    EXPECT_EQ(store.value(QStringLiteral("maxLength")).toByteArray(), DoubleBytes(2.0));
    EXPECT_EQ(DoubleBytes(2.0), QByteArray("\0\0\0\0\0\0\0\x40", 8));
}

TEST_F(SettingsWindow, AStoreWithOnlyThePenWidthKeepsEveryOtherDefault)
{
    RestartWithStoreText("[General]\npenWidth=3\n");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->Viewer.PenWidth, 3);
    ExpectDefaultsExceptPenWidth();
}

TEST_F(SettingsWindow, AValueOfTheWrongTypeIsReportedAndTheProgramRunsOn)
{
    // Colour references are 0x00BBGGRR: 255 is red, 65280 green.
    RestartWithStoreText("[General]\nbgColor=255\nfgColor=65280\npenWidth=2\nzoomSteps=viele\nzoomDelay=40\n"
                         "exportWidth=640\n");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Ornalix"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Ungültiger Datentyp für 'zoomSteps'"));
    EXPECT_EQ(window->Viewer.BgColor, 255u) << "read before the bad value";
    EXPECT_EQ(window->Viewer.FgColor, 65280u);
    EXPECT_EQ(window->Viewer.PenWidth, 2);
    EXPECT_EQ(window->ZoomSteps, 60) << "the bad value keeps its default";
    EXPECT_EQ(window->Timer1.interval(), 15) << "not read after the bad value";
    EXPECT_EQ(window->ExportWidth, 256);

    // The window works: both panes draw, New and the timer do their part.
    const QImage fract = FractPicture();
    EXPECT_EQ(fract.pixel(0, 0), qRgb(255, 0, 0));
    int green = 0;
    for (int y = 0; y < fract.height(); ++y)
        for (int x = 0; x < fract.width(); ++x)
            green += fract.pixel(x, y) == qRgb(0, 255, 0);
    EXPECT_GT(green, fract.width() / 2) << "the curve in green";
    EXPECT_EQ(window->Editor.PointCount, 5);
    const QImage editor = EditorPicture();
    EXPECT_EQ(editor.pixel(Node(2).x(), Node(2).y() - 2), qRgb(255, 255, 255)) << "the editor shows its nodes";
    Trigger(window->Neu1);
    EXPECT_GE(window->Generator.Count, 3);

    // Closing writes sound values, so the next start is quiet and keeps what
    // was read.
    ReopenWindow();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(window->Viewer.BgColor, 255u);
    EXPECT_EQ(window->ZoomSteps, 60);
}

TEST_F(SettingsWindow, StoredValuesThatWouldStallTheProgramFallBackToDefaults)
{
    RestartWithStore([](QSettings& store) {
        store.setValue(QStringLiteral("penWidth"), 0);
        store.setValue(QStringLiteral("zoomSteps"), 0);
        store.setValue(QStringLiteral("zoomDelay"), 0);
        store.setValue(QStringLiteral("angRaster"), 999999);
        store.setValue(QStringLiteral("minNodes"), 8);
        store.setValue(QStringLiteral("maxNodes"), 4);
        store.setValue(QStringLiteral("minLength"), DoubleBytes(3));
        store.setValue(QStringLiteral("maxLength"), DoubleBytes(2));
        store.setValue(QStringLiteral("exportWidth"), 800);
    });
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->Viewer.PenWidth, 1);
    EXPECT_EQ(window->ZoomSteps, 60);
    EXPECT_EQ(window->Timer1.interval(), 15);
    EXPECT_EQ(window->Editor.AngRaster, 0);
    EXPECT_EQ(window->MinNodes, 3);
    EXPECT_EQ(window->MaxNodes, 5);
    EXPECT_EQ(window->MinLength, 0.5);
    EXPECT_EQ(window->MaxLength, 2.0);
    EXPECT_EQ(window->ExportWidth, 800) << "a sound value stays";

    // Neither New, nor a zoom, nor the animation nor the options dialog
    // stall on what was stored.
    Trigger(window->Neu1);
    EXPECT_GE(window->Generator.Count, 3);
    EXPECT_LE(window->Generator.Count, 4);
    Complex c1(60, 40), c2(180, 120);
    window->ZoomTo(c1, c2);
    for (int i = 0; i < 1000 && window->Timer1.isActive(); ++i)
        window->Timer1Timer();
    EXPECT_EQ(window->Mode, modeIdle) << "the zoom came to its end";
    QTest::mouseClick(window->chkAnimLen, Qt::LeftButton);
    for (int i = 0; i < 200; ++i)
        window->Timer1Timer();
    EXPECT_FALSE(FractPicture().isNull());
    dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& d = static_cast<TanimationDlg&>(dialog);
        EXPECT_EQ(d.tbAngRaster->value(), 1);
        EXPECT_EQ(d.txtPenWidth->text(), QStringLiteral("1"));
        return int(QDialog::Rejected);
    });
    Trigger(window->mnuOptions);
    EXPECT_TRUE(dialogs.dialogScripts.empty());
}

TEST_F(SettingsWindow, OptionsAndTheLastExportSizeAreFoundAgainAfterARestart)
{
    dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& d = static_cast<TanimationDlg&>(dialog);
        TanimationDlg::SetSwatchColor(d.lblBgColor, RgbColor(10, 20, 30));
        TanimationDlg::SetSwatchColor(d.lblFgColor, RgbColor(200, 100, 0));
        d.txtPenWidth->setText(QStringLiteral("4"));
        d.chkAnimation->setChecked(false);
        d.txtSteps->setText(QStringLiteral("30"));
        d.txtDelay->setText(QStringLiteral("25"));
        d.tbAngRaster->setValue(12);
        d.tbLenRaster->setValue(4);
        d.tbMaxNodes->setValue(7);
        d.tbMinNodes->setValue(4);
        d.txtMinLength->setText(QStringLiteral("0.25"));
        d.txtMaxLength->setText(QStringLiteral("3"));
        return int(QDialog::Accepted);
    });
    Trigger(window->mnuOptions);
    dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& d = static_cast<TexportDlg&>(dialog);
        d.txtWidth->setText(QStringLiteral("640"));
        d.txtHeight->setText(QStringLiteral("480"));
        return int(QDialog::Accepted);
    });
    dialogs.files.push_back(QString()); // the picture's file dialog is cancelled
    Trigger(window->Exportieren1);
    ASSERT_TRUE(dialogs.messages.empty());

    ReopenWindow();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->Viewer.BgColor, RgbColor(10, 20, 30));
    EXPECT_EQ(window->Viewer.FgColor, RgbColor(200, 100, 0));
    EXPECT_EQ(window->Viewer.PenWidth, 4);
    EXPECT_FALSE(window->ZoomAnimation);
    EXPECT_EQ(window->ZoomSteps, 30);
    EXPECT_EQ(window->Timer1.interval(), 25);
    EXPECT_EQ(window->Editor.AngRaster, 12);
    EXPECT_EQ(window->Editor.LenRaster, 4);
    EXPECT_EQ(window->MinNodes, 4);
    EXPECT_EQ(window->MaxNodes, 7);
    EXPECT_EQ(window->MinLength, 0.25);
    EXPECT_EQ(window->MaxLength, 3.0);
    EXPECT_EQ(window->ExportWidth, 640);
    EXPECT_EQ(window->ExportHeight, 480);

    // The dialogs show them again.
    dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& d = static_cast<TanimationDlg&>(dialog);
        EXPECT_EQ(d.txtSteps->text(), QStringLiteral("30"));
        EXPECT_EQ(d.lblAngRaster->text(), QStringLiteral("1/12 Umdrehung"));
        EXPECT_EQ(d.lblMinNodes->text(), QStringLiteral("4"));
        EXPECT_EQ(d.lblMaxNodes->text(), QStringLiteral("7"));
        return int(QDialog::Rejected);
    });
    Trigger(window->mnuOptions);
    dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& d = static_cast<TexportDlg&>(dialog);
        EXPECT_EQ(d.txtWidth->text(), QStringLiteral("640"));
        EXPECT_EQ(d.txtHeight->text(), QStringLiteral("480"));
        return int(QDialog::Rejected);
    });
    Trigger(window->Exportieren1);
    EXPECT_TRUE(dialogs.dialogScripts.empty());
}

} // namespace
