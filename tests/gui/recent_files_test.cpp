#include "tests/gui/window_fixture.h"

#include <QMenu>

namespace {

using RecentFilesMenu = WindowTest;

// The files opened and saved are there after a restart; one that is gone
// shows disabled, another opens.
TEST_F(RecentFilesMenu, ListsTheFilesOfTheLastRunAndOpensThem)
{
    const QString gone = WriteFile(QStringLiteral("gone.fract"), "1\r\n-1\r\n1\r\n0\r\n");
    const QString saved = Path(QStringLiteral("saved.fract"));
    window->OpenFile(gone);
    dialogs.files.push_back(saved);
    Trigger(Speichern1());
    QFile::remove(gone);
    ReopenWindow();

    QMenu* menu = Named<QMenu>(*window, "mnuRecent");
    emit menu->aboutToShow();
    const QList<QAction*> entries = menu->actions();
    EXPECT_EQ(entries[0]->text(), "&1 " + saved);
    EXPECT_EQ(entries[1]->text(), "&2 " + gone);
    EXPECT_FALSE(entries[1]->isEnabled());
    EXPECT_FALSE(entries[2]->isVisible());
    entries[0]->trigger();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ornalix - saved.fract"));
}

} // namespace
