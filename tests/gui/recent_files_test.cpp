#include "tests/gui/window_fixture.h"

#include <QMenu>

namespace {

using RecentFilesMenu = WindowTest;

// Opened and saved files are found again after a restart, newest first; a
// file that is gone shows disabled.
TEST_F(RecentFilesMenu, ListsTheFilesOfTheLastRunAndOpensThem)
{
    const QString opened = WriteFile(QStringLiteral("opened.fract"), "3\r\n0\r\n1\r\n0\r\n0\r\n1\r\n");
    const QString saved = Path(QStringLiteral("saved.fract"));
    const QString gone = WriteFile(QStringLiteral("gone.fract"), "1\r\n-1\r\n1\r\n0\r\n");
    window->OpenFile(gone);
    window->OpenFile(opened);
    dialogs.files.push_back(saved);
    Trigger(Speichern1());
    QFile::remove(gone);
    ReopenWindow();

    QMenu* menu = Named<QMenu>(*window, "mnuRecent");
    emit menu->aboutToShow();
    QStringList shown;
    for (const QAction* entry : menu->actions())
        if (entry->isVisible())
            shown << entry->text() + (entry->isEnabled() ? "" : " (disabled)");
    EXPECT_EQ(shown, QStringList({"&1 " + saved, "&2 " + opened, "&3 " + gone + " (disabled)"}));

    menu->actions().at(1)->trigger();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ornalix - opened.fract"));
    EXPECT_EQ(session->Depth(), 3);
    EXPECT_EQ(menu->actions().at(0)->text(), "&1 " + opened);
}

} // namespace
