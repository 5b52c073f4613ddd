#include "app/tfarben_dlg.h"
#include "tests/gui/window_fixture.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QSettings>
#include <QSpinBox>

#include <functional>

namespace {

class ColorsDialog : public WindowTest {
protected:
    QAction* Farben1() const { return Named<QAction>(*window, "Farben1"); }

    void Run(const std::function<void(TfarbenDlg&)>& change, bool ok)
    {
        dialogs.dialogScripts.push_back([change, ok](QDialog& dialog) {
            auto& d = static_cast<TfarbenDlg&>(dialog);
            change(d);
            Named<QPushButton>(d, ok ? "cmdOk" : "cmdCancel")->click();
            return d.result();
        });
        Trigger(Farben1());
        ASSERT_TRUE(dialogs.dialogScripts.empty());
    }

    // The pane's colours other than the background and the foreground.
    int OtherColours() const
    {
        const QImage picture = FractPicture();
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                colours.insert(picture.pixel(x, y) | 0xFF000000);
        colours.remove(qRgb(255, 255, 255));
        colours.remove(qRgb(0, 0, 0));
        return static_cast<int>(colours.size());
    }
};

// The box names the stops' preset, none once a stop is added. "Eis", then
// "Regenbogen", a stop added, moved, coloured and one deleted, four
// repeats: "Ok" applies them and the pane shows the rainbow; "Abbrechen"
// after other changes keeps them; the store holds them after closing.
TEST_F(ColorsDialog, OkAppliesWhatTheDialogShowsAbbrechenNothingAndTheStoreKeepsIt)
{
    tbDepth()->setValue(5);
    ASSERT_EQ(OtherColours(), 0);
    dialogs.colors.push_back(QColor(1, 2, 3));
    Run(
        [](TfarbenDlg& d) {
            Named<QRadioButton>(d, "optFarbverlauf")->click();
            auto* presets = Named<QComboBox>(d, "cboPreset");
            EXPECT_EQ(presets->currentText(), QStringLiteral("Regenbogen")) << "the stops' preset";
            presets->setCurrentIndex(2);
            emit presets->activated(2);
            EXPECT_EQ(Named<QListWidget>(d, "lstStops")->count(), 4);
            presets->setCurrentIndex(0);
            emit presets->activated(0);
            ASSERT_EQ(Named<QListWidget>(d, "lstStops")->count(), 6);
            Named<QListWidget>(d, "lstStops")->setCurrentRow(0);
            Named<QPushButton>(d, "cmdAddStop")->click();
            EXPECT_EQ(presets->currentIndex(), -1) << "stops of no preset";
            EXPECT_EQ(presets->placeholderText(), QStringLiteral("(eigene)"));
            EXPECT_EQ(Named<QListWidget>(d, "lstStops")->currentRow(), 1);
            Named<QDoubleSpinBox>(d, "txtPosition")->setValue(0.5);
            EXPECT_EQ(Named<QListWidget>(d, "lstStops")->currentRow(), 3);
            Named<QPushButton>(d, "cmdStopColor")->click();
            Named<QListWidget>(d, "lstStops")->setCurrentRow(6);
            Named<QPushButton>(d, "cmdDeleteStop")->click();
            Named<QSpinBox>(d, "txtRepeats")->setValue(4);
        },
        true);
    CurveColoring expected;
    expected.Kind = CurveColoring::Mode::Gradient;
    expected.Stops = TfarbenDlg::Preset(0);
    expected.Stops.insert(expected.Stops.begin() + 3, {0.5, RgbColor(1, 2, 3)});
    expected.Stops.pop_back();
    expected.Repeats = 4;
    EXPECT_EQ(session->Coloring, expected);
    EXPECT_GT(OtherColours(), 50);

    Run(
        [](TfarbenDlg& d) {
            EXPECT_TRUE(Named<QRadioButton>(d, "optFarbverlauf")->isChecked());
            Named<QRadioButton>(d, "optNachKante")->click();
            Named<QSpinBox>(d, "txtLevel")->setValue(2);
        },
        false);
    EXPECT_EQ(session->Coloring, expected);

    window.reset();
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Ornalix"));
    EXPECT_EQ(store.value(QStringLiteral("coloring")).toString(), QStringLiteral("gradient"));
    EXPECT_EQ(store.value(QStringLiteral("gradientRepeats")).toInt(), 4);
    EXPECT_EQ(store.value(QStringLiteral("edgeColors")).toString().split(QLatin1Char(',')).size(), kEdgeColorCount);
}

} // namespace
