#pragma once

#include "random_source.h"
#include "scripted_dialogs.h"
#include "tform1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
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

    QTemporaryDir files;
    ScriptedDialogs dialogs;
    std::unique_ptr<Tform1> window;
};
