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
    QAction* dragon = Entry(*gallery, QStringLiteral("Heighway-Drache"));
    ASSERT_NE(dragon, nullptr);
    Trigger(Kantehinzufgen1());

    dragon->trigger();
    EXPECT_TRUE(TakeMessages().isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ornalix - Heighway-Drache.fract"));
    EXPECT_EQ(session->Generator.Count, 2);
    EXPECT_EQ(session->Generator.Orientations[1], EdgeOrientation::Reversed);
    EXPECT_EQ(tbDepth()->value(), 8);
    EXPECT_FALSE(session->History().CanUndo());
    EXPECT_FALSE(Named<QMenu>(*window, "mnuRecent")->menuAction()->isEnabled());
    ReopenWindow();
    EXPECT_FALSE(Named<QMenu>(*window, "mnuRecent")->menuAction()->isEnabled()) << "nothing was stored";
}

} // namespace
