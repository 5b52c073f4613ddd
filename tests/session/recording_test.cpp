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
    void Finish(const FinishWaiting&, const ClipStop&) override { ++finished_; }
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
