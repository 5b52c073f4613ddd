#include "tests/gui/window_fixture.h"

#include "app/trecord_dlg.h"
#include "tests/support/clip_reader.h"
#include "tests/support/picture_compare.h"
#include "tests/support/small_disk.h"
#include "view/frame_capture.h"

#include <QFileInfo>
#include <QPainter>

namespace {

const QString kInvalidSize = QStringLiteral("(!) Warnung: Ungültige Breite bzw. Höhe");

// A window with a clip set up through "Exportieren..." and the recording
// dialog at hand; ticks are run directly, the timer is kept still.
class RecordingTest : public WindowTest {
protected:
    // The writer takes its work folder as the window is made.
    void SetUp() override
    {
        qputenv("XDG_CACHE_HOME", files.filePath(QStringLiteral("cache")).toUtf8());
        WindowTest::SetUp();
    }

    void TearDown() override
    {
        WindowTest::TearDown();
        qunsetenv("XDG_CACHE_HOME");
    }

    // Answers the size dialog with w × h, or with "aktuelle Größe" when w is
    // empty, and the file dialog with name.
    void Export(const QString& w, const QString& h, const QString& name)
    {
        dialogs.dialogScripts.push_back([w, h](QDialog& d) {
            if (w.isEmpty()) {
                QTest::mouseClick(Named<QPushButton>(d, "cmdCurrentSize"), Qt::LeftButton);
            } else {
                Named<QLineEdit>(d, "txtWidth")->setText(w);
                Named<QLineEdit>(d, "txtHeight")->setText(h);
            }
            return QDialog::Accepted;
        });
        dialogs.files.push_back(Path(name));
        Trigger(Exportieren1());
    }

    // The work files of the clips open now.
    QStringList WorkFiles() const { return QDir(Path("cache/ornalix")).entryList(QDir::Files); }

    TrecordDlg* Dialog() const { return window->findChild<TrecordDlg*>(); }
    QPushButton* cmdStartStop() const { return Named<QPushButton>(*Dialog(), "cmdStartStop"); }
    QPushButton* cmdOk() const { return Named<QPushButton>(*Dialog(), "cmdOk"); }
    QString Frames() const { return Named<QLabel>(*Dialog(), "lblFrames")->text(); }

    void Press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    void Animate()
    {
        chkAnimAng()->setChecked(true);
        session->Timer().stop();
    }

    // The pane's picture as the last tick painted it (a grab would fit the
    // view once more).
    QImage TickPicture() const
    {
        QImage pane(ptbFract()->size(), QImage::Format_RGB32);
        QPainter painter(&pane);
        session->Viewer.DrawCurve(painter, true);
        return pane;
    }

    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            session->Tick();
    }

    // A rubber band over the pane's middle starts the animated zoom.
    void DragBand()
    {
        QTest::mousePress(ptbFract(), Qt::LeftButton, {}, QPoint(100, 80));
        QTest::mouseMove(ptbFract(), QPoint(300, 240));
        QTest::mouseRelease(ptbFract(), Qt::LeftButton, {}, QPoint(300, 240));
        session->Timer().stop();
    }
};

TEST_F(RecordingTest, TheWriterAndTheDialogAreSetUpAsTheFormSays)
{
    EXPECT_EQ((*Named<QFileDialog>(*window, "SavePictureDialog1")).nameFilters().value(4), "Videoclip (*.avi)");
    ASSERT_FALSE(Dialog()->isVisible());

    Export("64", "48", "clip.avi");
    TrecordDlg* d = Dialog();
    ASSERT_TRUE(d->isVisible());
    EXPECT_FALSE(d->isModal());
    EXPECT_EQ(d->windowTitle(), "Videoclip exportieren");
    EXPECT_GE(d->width(), 179);
    EXPECT_EQ(d->height(), 79);
    EXPECT_EQ(d->minimumSize(), d->maximumSize());
    EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(Named<QLabel>(*d, "Label1")->text(), "Aufgenommene Frames:");
    EXPECT_EQ(Frames(), "0");
    EXPECT_EQ(ExpectCaptionsShowWhole(*d), 2);
    EXPECT_GE(Named<QLabel>(*d, "lblFrames")->width(), Named<QLabel>(*d, "lblFrames")->fontMetrics().horizontalAdvance("999999"));
    EXPECT_EQ(cmdOk()->text(), "Fertig");
    EXPECT_EQ(cmdStartStop()->text(), "Start");
    EXPECT_EQ(cmdOk()->nextInFocusChain(), cmdStartStop());
    EXPECT_LE((d->geometry().center() - window->geometry().center()).manhattanLength(), 4);
    EXPECT_EQ(session->Frame().size(), QSize(64, 48));
    EXPECT_FALSE(session->Recording());
    EXPECT_TRUE(TakeMessages().isEmpty());
}

TEST_F(RecordingTest, CurrentSizeFramesEqualThePanePicturesInTwoColours)
{
    Export("", "", "clip.avi");
    Press(cmdStartStop());
    EXPECT_EQ(cmdStartStop()->text(), "Stop");
    Animate();
    QList<QImage> panes;
    for (int i = 0; i < 3; ++i) {
        Ticks(1);
        EXPECT_NEAR(session->FrameScale(), 1.0, 1e-9);
        panes.append(TickPicture());
    }
    EXPECT_EQ(Frames(), "3");
    Press(cmdOk());
    EXPECT_FALSE(Dialog()->isVisible());
    const auto video = Probe(Path("clip.avi"), "v:0");
    EXPECT_EQ(video["nb_read_frames"], "3");
    EXPECT_EQ(video["width"], QString::number(ptbFract()->width()));
    EXPECT_EQ(video["height"], QString::number(ptbFract()->height()));
    EXPECT_EQ(video["r_frame_rate"], "200/3");
    const QList<QImage> frames = DecodeFrames(Path("clip.avi"));
    ASSERT_EQ(frames.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(frames[i], panes[i]) << "frame " << i;
    EXPECT_NE(panes[0], panes[2]);
}

// The picture the zoom starts from, then one frame a step.
TEST_F(RecordingTest, AZoomOfNStepsAddsNPlusOneFramesAndItsClosingTickNone)
{
    session->ZoomSteps = 5;
    Export("160", "120", "zoom.avi");
    Press(cmdStartStop());
    ptbFract()->repaint();
    ASSERT_EQ(session->FrameScale(), 1.0);
    const double fromTheFullView =
        FrameScaleFor(*session->Viewer.WindowMin, *session->Viewer.WindowMax, 160, 120);
    DragBand();
    ASSERT_EQ(session->Mode(), modeZooming);
    EXPECT_EQ(session->FrameScale(), fromTheFullView);
    EXPECT_EQ(session->FramesRecorded(), 1);
    Ticks(5);
    EXPECT_EQ(session->FramesRecorded(), 6);
    Ticks(1);
    EXPECT_EQ(session->Mode(), modeIdle);
    EXPECT_EQ(session->FramesRecorded(), 6);
    EXPECT_EQ(Frames(), "6");
    Press(cmdOk());
    EXPECT_EQ(Probe(Path("zoom.avi"), "v:0")["nb_read_frames"], "6");
}

// The same recording as H.264 in MP4: every step of a zoom, close to the
// pane's pictures, at the timer's rate.
TEST_F(RecordingTest, AZoomAsMp4GivesThePanesPicturesAtTheTimersRate)
{
    session->ZoomSteps = 6;
    Export("", "", "zoom.mp4");
    Press(cmdStartStop());
    ptbFract()->repaint();
    QList<QImage> panes{TickPicture()};
    DragBand();
    for (int i = 0; i < 6; ++i) {
        Ticks(1);
        panes.append(TickPicture());
    }
    Press(cmdOk());
    const auto video = Probe(Path("zoom.mp4"), "v:0");
    EXPECT_EQ(video["codec_name"], "h264");
    EXPECT_EQ(video["pix_fmt"], "yuv420p");
    EXPECT_EQ(video["nb_read_frames"], "7");
    EXPECT_EQ(video["r_frame_rate"], "200/3");
    const QList<QImage> frames = DecodeFrames(Path("zoom.mp4"));
    ASSERT_EQ(frames.size(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_GE(Psnr(panes[i], frames[i]), 40.0) << "frame " << i;
}

// A bare name takes the clip type chosen in the dialog.
TEST_F(RecordingTest, ABareNameBecomesAClipOfTheChosenType)
{
    auto& fileDialog = *Named<QFileDialog>(*window, "SavePictureDialog1");
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"Videoclip (*.avi)", "a.avi", "rawvideo"},
        {"MP4-Video (*.mp4)", "b.mp4", "h264"},
        {"WebM-Video (*.webm)", "c.webm", "vp9"},
        {"GIF-Animation (*.gif)", "d.gif", "gif"},
    };
    Animate();
    for (const auto& [filter, written, codec] : rows) {
        SCOPED_TRACE(written);
        fileDialog.selectNameFilter(QLatin1String(filter));
        Export("64", "48", QFileInfo(QLatin1String(written)).completeBaseName());
        Press(cmdStartStop());
        Ticks(2);
        Press(cmdOk());
        EXPECT_EQ(Probe(Path(QLatin1String(written)), "v:0")["codec_name"], QLatin1String(codec));
    }
    EXPECT_TRUE(TakeMessages().isEmpty());
}

TEST_F(RecordingTest, FinishingWithoutFramesWritesNothingAndRemovesTheWorkFile)
{
    Export("64", "48", "none.AVI");
    ASSERT_EQ(WorkFiles().size(), 1);
    Press(cmdStartStop());
    Press(cmdOk());
    EXPECT_FALSE(QFileInfo::exists(Path("none.AVI")));
    EXPECT_TRUE(WorkFiles().isEmpty());
    EXPECT_EQ(cmdStartStop()->text(), "Start");
}

TEST_F(RecordingTest, StartStopStartMakesOneClipWithTheCountGoingOn)
{
    Export("64", "48", "spells.avi");
    Animate();
    Press(cmdStartStop());
    Ticks(2);
    Press(cmdStartStop());
    EXPECT_EQ(cmdStartStop()->text(), "Start");
    Ticks(3);
    EXPECT_EQ(Frames(), "2");
    Press(cmdStartStop());
    Ticks(2);
    EXPECT_EQ(Frames(), "4");
    Press(cmdOk());
    EXPECT_EQ(Frames(), "4");
    EXPECT_EQ(session->FramesRecorded(), 0);
    EXPECT_EQ(Probe(Path("spells.avi"), "v:0")["nb_read_frames"], "4");
}

TEST_F(RecordingTest, ALaterIntervalLeavesTheClipsFrameRate)
{
    Export("64", "48", "rate.avi");
    session->Timer().setInterval(40);
    Animate();
    Press(cmdStartStop());
    Ticks(1);
    Press(cmdOk());
    EXPECT_EQ(Probe(Path("rate.avi"), "v:0")["r_frame_rate"], "200/3");
}

TEST_F(RecordingTest, APausedAnimationAddsNoFrames)
{
    Export("64", "48", "pause.avi");
    Animate();
    Press(cmdStartStop());
    chkPause()->setChecked(true);
    ASSERT_EQ(session->Mode(), modePaused);
    Ticks(3);
    EXPECT_EQ(session->FramesRecorded(), 0);
}

TEST_F(RecordingTest, MinimisingTheDialogDoesNotFinishTheClip)
{
    Export("64", "48", "min.avi");
    Animate();
    Press(cmdStartStop());
    Ticks(1);
    Dialog()->showMinimized();
    QTest::qWait(50);
    Dialog()->showNormal();
    QTest::qWait(50);
    EXPECT_TRUE(session->Recording());
    EXPECT_EQ(session->FramesRecorded(), 1);
    EXPECT_EQ(WorkFiles().size(), 1);
}

// The form has no cancel button: Esc leaves the clip as it is; the close box
// finishes it as "Fertig" does.
TEST_F(RecordingTest, EscDoesNothingAndTheCloseBoxFinishes)
{
    Export("64", "48", "esc.avi");
    Animate();
    Press(cmdStartStop());
    Ticks(1);
    QTest::keyClick(cmdOk(), Qt::Key_Escape);
    EXPECT_TRUE(Dialog()->isVisible());
    EXPECT_TRUE(session->Recording());
    Ticks(1);
    EXPECT_FALSE(QFileInfo::exists(Path("esc.avi")));
    Dialog()->close();
    EXPECT_FALSE(Dialog()->isVisible());
    EXPECT_TRUE(WorkFiles().isEmpty());
    EXPECT_EQ(Probe(Path("esc.avi"), "v:0")["nb_read_frames"], "2");
}

TEST_F(RecordingTest, ClosingTheWindowWritesTheFramesSoFar)
{
    Export("64", "48", "closed.avi");
    Animate();
    Press(cmdStartStop());
    Ticks(2);
    window->close();
    EXPECT_TRUE(WorkFiles().isEmpty());
    EXPECT_EQ(Probe(Path("closed.avi"), "v:0")["nb_read_frames"], "2");
}

TEST_F(RecordingTest, ASecondVideoExportIsRefusedAndLeavesTheFirst)
{
    Export("64", "48", "first.avi");
    Animate();
    Press(cmdStartStop());
    Export("32", "32", "second.avi");
    EXPECT_EQ(TakeMessages(), QStringList{"(!) Warnung: Es wird bereits ein Videoclip aufgenommen."});
    EXPECT_EQ(session->Frame().size(), QSize(64, 48));
    Ticks(1);
    Press(cmdOk());
    EXPECT_EQ(Probe(Path("first.avi"), "v:0")["width"], "64");
    EXPECT_FALSE(QFileInfo::exists(Path("second.avi")));
}

TEST_F(RecordingTest, SizesOfZeroOrBelowAreRefused)
{
    Export("0", "48", "zero.avi");
    Export("64", "-1", "negative.avi");
    EXPECT_EQ(TakeMessages(), (QStringList{kInvalidSize, kInvalidSize}));
    EXPECT_FALSE(Dialog()->isVisible());
}

TEST_F(RecordingTest, AFailedOpenLeavesTheDialogClosed)
{
    WriteFile("blocker", "a file where the work folder should be");
    qputenv("XDG_CACHE_HOME", Path("blocker").toUtf8());
    ReopenWindow();
    Export("64", "48", "open.avi");
    EXPECT_EQ(TakeMessages(), QStringList{"(!) Warnung: Die Datei kann nicht geschrieben werden: " + Path("blocker/ornalix")
                                          + ": Not a directory"});
    EXPECT_FALSE(Dialog()->isVisible());
    EXPECT_FALSE(QFileInfo::exists(Path("open.avi")));
}

// A full disk under the work folder: one box, shown once the capture is off.
TEST_F(RecordingTest, AFullDiskShowsOneBoxNotOnePerTick)
{
    SmallDisk disk;
    ORNALIX_NEED_SMALL_DISK(disk);
    qputenv("XDG_CACHE_HOME", disk.Dir().toUtf8());
    ReopenWindow();
    // 256 × 128 at 1 bit is a page of the disk a frame.
    Export("256", "128", "full.avi");
    Animate();
    Press(cmdStartStop());
    Ticks(1);
    disk.Fill();
    bool offBeforeTheBox = false;
    dialogs.onMessage = [&](const ScriptedDialogs::Shown&) {
        offBeforeTheBox = !session->Recording() && cmdStartStop()->text() == "Start";
    };
    Ticks(4);
    dialogs.onMessage = nullptr;
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.MessageTexts().value(0), "Failed to add frame to AVI. Err=8004406E");
    EXPECT_TRUE(offBeforeTheBox);
    EXPECT_EQ(Frames(), "1");
    Press(cmdOk());
    EXPECT_EQ(Probe(Path("full.avi"), "v:0")["nb_read_frames"], "1");
}

} // namespace
