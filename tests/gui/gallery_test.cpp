#include "tests/gui/window_fixture.h"

#include <QMenu>

namespace {

using GalleryMenu = WindowTest;

QAction* Entry(const QMenu& menu, const QString& name)
{
    for (QAction* entry : menu.actions())
        if (entry->text() == name)
            return entry;
    return nullptr;
}

// A curve opens as "Öffnen..." opens a file: a new history, the file's name
// in the title; the recent files stay as they were.
TEST_F(GalleryMenu, OpensANamedCurveWithoutTouchingTheRecentFiles)
{
    QMenu* gallery = Named<QMenu>(*window, "mnuBeispiele");
    EXPECT_GE(gallery->actions().size(), 14);
    QAction* koch = Entry(*gallery, QStringLiteral("Koch-Kurve"));
    ASSERT_NE(koch, nullptr);
    Trigger(Kantehinzufgen1());

    koch->trigger();
    EXPECT_TRUE(TakeMessages().isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ornalix - Koch-Kurve.fract"));
    EXPECT_EQ(session->Generator.Count, 4);
    EXPECT_EQ(tbDepth()->value(), 6);
    EXPECT_FALSE(session->History().CanUndo());
    EXPECT_FALSE(Named<QMenu>(*window, "mnuRecent")->menuAction()->isEnabled());
    ReopenWindow();
    EXPECT_FALSE(Named<QMenu>(*window, "mnuRecent")->menuAction()->isEnabled()) << "nothing was stored";
}

} // namespace
