#include "tests/gui/window_fixture.h"

#include <QSet>
#include <QSettings>

namespace {

int Colours(const QImage& picture)
{
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            colours.insert(picture.pixel(x, y));
    return static_cast<int>(colours.size());
}

using Smoothing = WindowTest;

// "Kantenglättung" smooths the pane at once and is remembered; turned off
// again, the pane and the settings store are as if it had never been on.
TEST_F(Smoothing, TheMenuItemSmoothsThePaneAndIsRemembered)
{
    tbDepth()->setValue(4);
    const QImage plain = FractPicture();
    QAction* item = Named<QAction>(*window, "Kantenglttung1");
    ASSERT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_GT(Colours(FractPicture()), 8);

    ReopenWindow();
    item = Named<QAction>(*window, "Kantenglttung1");
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(session->Antialiasing);
    item->trigger();
    tbDepth()->setValue(4);
    EXPECT_EQ(FractPicture(), plain);
    ReopenWindow();
    EXPECT_FALSE(QSettings(SettingsFile(), QSettings::IniFormat).contains(QStringLiteral("antialiasing")));
}

} // namespace
