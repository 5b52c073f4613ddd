// The recording's state in a session without a window, with a sink that
// keeps the frames it is given.
#include "session/fractal_session.h"
#include "session/offscreen_pane.h"

#include <gtest/gtest.h>

namespace {

constexpr QSize kPane(160, 120);

struct KeptFrames {
    QList<QImage> Frames;
    int Finished = 0;
};

class KeepingSink : public ClipSink {
public:
    explicit KeepingSink(KeptFrames& kept) : kept_(kept) {}
    void AddFrame(const QImage& frame) override { kept_.Frames.append(frame.convertToFormat(QImage::Format_RGB32)); }
    void Finish(const FinishWaiting&, const ClipStop&) override { ++kept_.Finished; }

private:
    KeptFrames& kept_;
};

class SessionRecording : public ::testing::Test {
protected:
    void SetUpClip()
    {
        ASSERT_TRUE(session.PrepareFrame(kPane));
        session.SetUpRecording(std::make_unique<KeepingSink>(kept));
    }

    FractalSession session;
    OffscreenPane pane{session, kPane};
    KeptFrames kept;
};

// Thin lines are drawn into bits, thick ones through a painter: the same
// picture as the pane's either way.
TEST_F(SessionRecording, FramesOfThePanesSizeAreThePanesPictures)
{
    for (int pen : {1, 3}) {
        SettingValues settings;
        settings.PenWidth = pen;
        settings.FgColor = RgbColor(200, 0, 0);
        session.ApplySettings(settings);
        SetUpClip();
        session.StartStopCapture();
        session.AnimateAngles(true);
        session.SetPaused(false); // the last pass's end checked "Pause"
        kept.Frames.clear();
        for (int tick = 0; tick < 2; ++tick) {
            session.Tick();
            ASSERT_EQ(kept.Frames.size(), tick + 1);
            EXPECT_EQ(kept.Frames.back(), pane.Picture()) << "pen " << pen << ", tick " << tick;
        }
        session.AnimateAngles(false);
        session.AbandonRecording();
    }
}

TEST_F(SessionRecording, StartAfterAFinishedClipNeitherCapturesNorFails)
{
    SetUpClip();
    session.StartStopCapture();
    session.AnimateAngles(true);
    session.Tick();
    EXPECT_FALSE(session.FinishRecording());
    EXPECT_EQ(kept.Finished, 1);
    int reported = 0;
    QObject::connect(&session, &FractalSession::captureFailed, [&reported] { ++reported; });
    QObject::connect(&session, &FractalSession::captureChanged, [&reported] { ++reported; });
    session.StartStopCapture();
    session.Tick();
    EXPECT_FALSE(session.Recording());
    EXPECT_FALSE(session.RecordingOpen());
    EXPECT_EQ(session.FramesRecorded(), 0);
    EXPECT_EQ(kept.Frames.size(), 1);
    EXPECT_EQ(reported, 0);
}

} // namespace
