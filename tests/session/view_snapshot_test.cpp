#include "session/view_snapshot.h"
#include "tests/session/session_fixture.h"

#include <QPainter>

namespace {

constexpr PixelRect kPicture{0, 0, 300, 200};

QImage Drawn(const ViewPicture& picture)
{
    QImage image(kPicture.Right, kPicture.Bottom, QImage::Format_RGB32);
    QPainter painter(&image);
    picture.Draw(painter);
    return image;
}

QImage Uniform(QRgb colour)
{
    QImage image(kPicture.Right, kPicture.Bottom, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class Snapshot : public SessionTest {};

} // namespace

// An export or a printed page draws the view as it was when its dialog
// closed: the copy shows what the session's own picture showed then, in
// either view, however a zoom and the animation go on meanwhile.
TEST_F(Snapshot, DrawsTheViewAsItWasWhileTheSessionGoesOn)
{
    session.SetDepth(4);
    for (const bool endless : {false, true}) {
        SCOPED_TRACE(endless);
        session.SetEndlessZoom(endless);
        session.ZoomAnimation = false;
        Band(QPoint(150, 150), QPoint(320, 270));
        const QImage before = Drawn(*session.Picture(ViewPlacement::FittedTo(kPicture)));
        ASSERT_NE(before, Uniform(before.pixel(0, 0))) << "no curve in the picture";
        const std::unique_ptr<ViewSnapshot> copy = ViewSnapshot::Of(session);
        EXPECT_EQ(Drawn(*copy->Picture(ViewPlacement::FittedTo(kPicture), copy->Style())), before);

        session.ZoomAnimation = true;
        Band(QPoint(20, 20), QPoint(60, 50));
        Ticks(3);
        session.AnimateAngles(true);
        Ticks(5);
        session.SetMode(modeIdle);
        session.Viewer.FgColor = RgbColor(200, 0, 0);
        ASSERT_NE(Drawn(*session.Picture(ViewPlacement::FittedTo(kPicture))), before);
        EXPECT_EQ(Drawn(*copy->Picture(ViewPlacement::FittedTo(kPicture), copy->Style())), before);
        session.Viewer.FgColor = kBlack;
    }
}
