// The recording's state in a session without a window.
#include "session/fractal_session.h"
#include "session/offscreen_pane.h"

#include <gtest/gtest.h>

namespace {

// Counts what it is given.
class CountingSink : public ClipSink {
public:
    CountingSink(int& frames, int& finished) : frames_(frames), finished_(finished) {}
    void AddFrame(const QImage&) override { ++frames_; }
    void Finish(const FinishWaiting&, const ClipStop&) override { ++finished_; }

private:
    int& frames_;
    int& finished_;
};

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
