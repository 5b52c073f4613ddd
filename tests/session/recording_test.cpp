// The recording's state in a session without a window.
#include "session/fractal_session.h"
#include "session/offscreen_pane.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// Counts what it is given and keeps the last frame.
class CountingSink : public ClipSink {
public:
    CountingSink(int& frames, int& finished, bool shades = false, QImage* last = nullptr)
        : frames_(frames), finished_(finished), shades_(shades), last_(last)
    {
    }
    void AddFrame(const QImage& frame) override
    {
        ++frames_;
        if (last_)
            *last_ = frame.copy();
    }
    void Finish(WorkProgress&) override { ++finished_; }
    bool TakesShades() const override { return shades_; }

private:
    int& frames_;
    int& finished_;
    bool shades_;
    QImage* last_;
};

// Unsmoothed lines go as bits to every clip: the cheapest frames to draw,
// to hand over and to convert.
TEST(SessionRecording, FramesAreBitsUnlessAClipKeepsTheShadesOfSmoothedLines)
{
    const struct {
        bool shades, smooth;
        QImage::Format format;
    } cases[] = {
        {false, false, QImage::Format_Mono},
        {false, true, QImage::Format_Mono},
        {true, false, QImage::Format_Mono},
        {true, true, QImage::Format_RGB32},
    };
    for (const auto& c : cases) {
        FractalSession session;
        const OffscreenPane pane(session, QSize(160, 120));
        session.Antialiasing = c.smooth;
        int frames = 0, finished = 0;
        QImage last;
        ASSERT_TRUE(session.PrepareFrame(QSize(160, 120)));
        session.SetUpRecording(std::make_unique<CountingSink>(frames, finished, c.shades, &last));
        session.StartStopCapture();
        session.AnimateAngles(true);
        session.Tick();
        ASSERT_EQ(frames, 1);
        EXPECT_EQ(last.format(), c.format) << "shades " << c.shades << ", smooth " << c.smooth;
    }
}

// Keeps every frame.
class KeepingSink : public ClipSink {
public:
    explicit KeepingSink(QList<QImage>& frames) : frames_(frames) {}
    void AddFrame(const QImage& frame) override { frames_.append(frame.convertToFormat(QImage::Format_RGB32)); }
    void Finish(WorkProgress&) override {}

private:
    QList<QImage>& frames_;
};

// A recorded zoom starts at the start: its first frame is the picture it
// starts from (the full view for a dive), each step adds one, the last is
// where it ends.
TEST(SessionRecording, AZoomsFirstFrameIsItsStartAndItsLastItsEnd)
{
    for (const bool dive : {false, true}) {
        FractalSession session;
        const OffscreenPane pane(session, QSize(160, 120));
        session.SetEndlessZoom(dive);
        session.SetDepth(4);
        ASSERT_EQ(session.EndlessShown(), dive);
        session.ZoomSteps = 6;
        const QImage start = pane.Picture().convertToFormat(QImage::Format_RGB32);
        QList<QImage> frames;
        ASSERT_TRUE(session.PrepareFrame(QSize(160, 120)));
        session.SetUpRecording(std::make_unique<KeepingSink>(frames));
        session.StartStopCapture();
        if (dive) {
            session.Dive(BigComplex(Complex(1, 0), 64), BigFloat(64.0), 6);
        } else {
            session.PressFract(Qt::LeftButton, 40, 30);
            session.ReleaseFract(Qt::LeftButton, 100, 80);
        }
        while (session.Mode() == modeZooming)
            session.Tick();
        ASSERT_EQ(frames.size(), 7) << dive;
        EXPECT_EQ(frames.first(), start) << dive;
        session.FitToPane();
        EXPECT_EQ(frames.last(), pane.Picture().convertToFormat(QImage::Format_RGB32)) << dive;
    }
}

TEST(SessionRecording, StartAfterAFinishedClipNeitherCapturesNorFails)
{
    FractalSession session;
    const OffscreenPane pane(session, QSize(160, 120));
    int frames = 0, finished = 0;
    ASSERT_TRUE(session.PrepareFrame(QSize(160, 120)));
    session.SetUpRecording(std::make_unique<CountingSink>(frames, finished));
    session.StartStopCapture();
    session.AnimateAngles(true);
    session.Tick();
    EXPECT_FALSE(session.FinishRecording());
    EXPECT_EQ(finished, 1);
    int reported = 0;
    QObject::connect(&session, &FractalSession::captureFailed, [&reported] { ++reported; });
    QObject::connect(&session, &FractalSession::captureChanged, [&reported] { ++reported; });
    session.StartStopCapture();
    session.Tick();
    EXPECT_FALSE(session.Recording());
    EXPECT_EQ(session.FramesRecorded(), 0);
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(reported, 0);
}

} // namespace
