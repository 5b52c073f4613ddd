#pragma once

#include "app/paint_box.h"
#include "app/tanimation_dlg.h"
#include "app/tform1.h"
#include "model/random_source.h"
#include "session/fractal_session.h"
#include "tests/gui/named_child.h"
#include "tests/gui/scripted_dialogs.h"
#include "tests/support/setting_fields.h"
#include "tests/support/tool_runner.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSplitter>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A main window shown offscreen, with its own settings store and scripted
// dialogs; the random source starts from a fixed seed.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearSettings();
        OpenWindow();
    }

    void TearDown() override
    {
        window.reset();
        session.reset();
    }

    static QString SettingsFile()
    {
        return QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath(QStringLiteral("Ornalix.conf"));
    }

    static void ClearSettings() { QFile::remove(SettingsFile()); }

    void OpenWindow()
    {
        session = std::make_unique<FractalSession>();
        window = std::make_unique<Tform1>(*session, dialogs);
        window->resize(689, 486);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        RandomSource::Instance().Seed(1234);
    }

    void ReopenWindow()
    {
        window.reset();
        session.reset();
        OpenWindow();
    }

    // The window's controls and menu commands.
    PaintBox* ptbFract() const { return Named<PaintBox>(*window, "ptbFract"); }
    PaintBox* ptbEditor() const { return Named<PaintBox>(*window, "ptbEditor"); }
    QSlider* tbDepth() const { return Named<QSlider>(*window, "tbDepth"); }
    QCheckBox* chkAnimAng() const { return Named<QCheckBox>(*window, "chkAnimAng"); }
    QCheckBox* chkAnimLen() const { return Named<QCheckBox>(*window, "chkAnimLen"); }
    QCheckBox* chkPause() const { return Named<QCheckBox>(*window, "chkPause"); }
    QRadioButton* optLines() const { return Named<QRadioButton>(*window, "optLines"); }
    QRadioButton* optPoints() const { return Named<QRadioButton>(*window, "optPoints"); }
    QLabel* lblDepth() const { return Named<QLabel>(*window, "lblDepth"); }
    QSplitter* Splitter1() const { return Named<QSplitter>(*window, "Splitter1"); }
    QWidget* Panel1() const { return Named<QWidget>(*window, "Panel1"); }
    QAction* Neu1() const { return Named<QAction>(*window, "Neu1"); }
    QAction* ffnen1() const { return Named<QAction>(*window, "ffnen1"); }
    QAction* Speichern1() const { return Named<QAction>(*window, "Speichern1"); }
    QAction* Exportieren1() const { return Named<QAction>(*window, "Exportieren1"); }
    QAction* Beenden1() const { return Named<QAction>(*window, "Beenden1"); }
    QAction* Kantehinzufgen1() const { return Named<QAction>(*window, "Kantehinzufgen1"); }
    QAction* Kantelschen1() const { return Named<QAction>(*window, "Kantelschen1"); }
    QAction* N1001() const { return Named<QAction>(*window, "N1001"); }
    QAction* mnuOptions() const { return Named<QAction>(*window, "mnuOptions"); }
    QAction* Info1() const { return Named<QAction>(*window, "Info1"); }
    QAction* Drucken1() const { return Named<QAction>(*window, "Drucken1"); }
    QAction* Kopieren1() const { return Named<QAction>(*window, "Kopieren1"); }

    // What the panes show once pending paints ran: a command that forgot to
    // repaint leaves the old picture here (grab() would paint afresh).
    QImage FractPicture() const { return ShownPicture(*ptbFract()); }
    QImage EditorPicture() const { return ShownPicture(*ptbEditor()); }
    static QImage ShownPicture(const PaintBox& pane)
    {
        // Widgets ask the platform for the next paint on a short timer.
        QTest::qWait(kPaintWait);
        return pane.Picture();
    }
    static constexpr int kPaintWait = 20; // milliseconds

    // The editor's node k in pane pixels.
    QPoint Node(int k) const
    {
        const Complex& p = session->Editor.Points[k];
        return QPoint(static_cast<int>(p.Re), static_cast<int>(p.Im));
    }

    void Trigger(QAction* action) { action->trigger(); }

    // The messages shown since the last look, as "(!) caption: text" for a
    // warning and "(x) caption: text" for an error; then forgets them.
    QStringList TakeMessages()
    {
        QStringList shown;
        for (const auto& m : dialogs.messages) {
            const char* icon = m.icon == QMessageBox::Warning ? "(!)" : m.icon == QMessageBox::Critical ? "(x)" : "(?)";
            shown << QStringLiteral("%1 %2: %3").arg(QLatin1String(icon), m.caption, m.text);
        }
        dialogs.messages.clear();
        return shown;
    }

    QString Path(const QString& name) const { return files.filePath(name); }

    QString WriteFile(const QString& name, const QByteArray& bytes) const
    {
        EXPECT_TRUE(WriteBytes(Path(name), bytes));
        return Path(name);
    }

    // Valid options other than the defaults, as a user types them.
    static void FillValidOptions(TanimationDlg& d)
    {
        TanimationDlg::SetSwatchColor(Named<QLabel>(d, "lblBgColor"), RgbColor(0, 0, 128));
        TanimationDlg::SetSwatchColor(Named<QLabel>(d, "lblFgColor"), RgbColor(255, 255, 0));
        Named<QLineEdit>(d, "txtPenWidth")->setText(QStringLiteral("3"));
        Named<QCheckBox>(d, "chkAnimation")->setChecked(false);
        Named<QLineEdit>(d, "txtSteps")->setText(QStringLiteral("20"));
        Named<QLineEdit>(d, "txtDelay")->setText(QStringLiteral("40"));
        Named<QSlider>(d, "tbAngRaster")->setValue(8);
        Named<QSlider>(d, "tbLenRaster")->setValue(2);
        Named<QSlider>(d, "tbMaxNodes")->setValue(9);
        Named<QSlider>(d, "tbMinNodes")->setValue(6);
        Named<QLineEdit>(d, "txtMinLength")->setText(QStringLiteral("0.75"));
        Named<QLineEdit>(d, "txtMaxLength")->setText(QStringLiteral("1.5"));
    }

    // The values FillValidOptions types, with the export size as it stands.
    SettingValues ValidOptions() const
    {
        return {RgbColor(0, 0, 128), RgbColor(255, 255, 0), 3, 20, 40, false, 8, 2, 6, 9, 0.75, 1.5,
                session->ExportWidth, session->ExportHeight};
    }

    void ExpectSettings(const SettingValues& expected) const
    {
        EXPECT_EQ(session->Settings(), expected);
    }

    QTemporaryDir files;
    ScriptedDialogs dialogs;
    std::unique_ptr<FractalSession> session;
    std::unique_ptr<Tform1> window;
};

// Every caption of a dialog shows whole: its label is as wide as its text,
// which stays inside its group and runs under no other control there.
// Returns how many captions there are.
inline int ExpectCaptionsShowWhole(const QWidget& dialog)
{
    int captions = 0;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        ++captions;
        const std::string name = label->text().toStdString();
        const int advance = label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_GE(label->width(), advance) << name;
        const QRect text(label->pos(), QSize(advance, label->height()));
        const QWidget* group = label->parentWidget();
        EXPECT_LE(text.right(), group->rect().right()) << name;
        for (const QWidget* sibling : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(sibling == label || !text.intersects(sibling->geometry()))
                << name << " runs under " << sibling->objectName().toStdString();
        }
    }
    return captions;
}
