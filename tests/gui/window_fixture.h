#pragma once

#include "../output/tool_runner.h"
#include "random_source.h"
#include "scripted_dialogs.h"
#include "tanimation_dlg.h"
#include "tform1.h"

#include <QApplication>
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

    void TearDown() override { window.reset(); }

    static QString SettingsFile()
    {
        return QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath(QStringLiteral("Ornalix.conf"));
    }

    static void ClearSettings() { QFile::remove(SettingsFile()); }

    void OpenWindow()
    {
        window = std::make_unique<Tform1>();
        window->resize(689, 486);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        RandomSource::Instance().Seed(1234);
    }

    void ReopenWindow()
    {
        window.reset();
        OpenWindow();
    }

    QImage FractPicture() const { return window->ptbFract->grab().toImage(); }
    QImage EditorPicture() const { return window->ptbEditor->grab().toImage(); }

    // The editor's node k in pane pixels.
    QPoint Node(int k) const
    {
        const Complex& p = window->Editor.Points[k];
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

    // The window's options are those of FillValidOptions.
    void ExpectValidOptions() const
    {
        EXPECT_EQ(window->Viewer.BgColor, RgbColor(0, 0, 128));
        EXPECT_EQ(window->Viewer.FgColor, RgbColor(255, 255, 0));
        EXPECT_EQ(window->Viewer.PenWidth, 3);
        EXPECT_FALSE(window->ZoomAnimation);
        EXPECT_EQ(window->ZoomSteps, 20);
        EXPECT_EQ(window->Timer1.interval(), 40);
        EXPECT_EQ(window->Editor.AngRaster, 8);
        EXPECT_EQ(window->Editor.LenRaster, 2);
        EXPECT_EQ(window->MinNodes, 6);
        EXPECT_EQ(window->MaxNodes, 9);
        EXPECT_EQ(window->MinLength, 0.75);
        EXPECT_EQ(window->MaxLength, 1.5);
    }

    // The default options from the pen width on.
    void ExpectDefaultsAfterTheColours() const
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

    QTemporaryDir files;
    ScriptedDialogs dialogs;
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
