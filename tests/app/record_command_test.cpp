// The program as a shell script runs it: no display, settings and a cache
// of its own. Whatever goes wrong is found before the first frame, said in
// one line, and leaves nothing behind; signals end a recording cleanly;
// recordings run side by side.
#include "output/work/work_file.h"
#include "tests/support/clip_reader.h"
#include "tests/support/picture_compare.h"
#include "tests/support/unprivileged.h"
#include "tests/support/wav_bytes.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>

#include <sys/stat.h>

namespace {

// Long enough never to end while a test waits: a failure found only after
// the frames would run into the test's time limit.
const QStringList kEndless{"--animate", "both", "--frames", "1000000000"};
constexpr int kLimitMs = 60000;

struct RunResult {
    bool Finished = false;
    int Status = -1;
    QString Errors;
};

class RecordCommand : public ::testing::Test {
protected:
    RecordCommand() { QDir().mkpath(temp_); }

    void Start(QProcess& process, const QStringList& arguments, const QStringList& unset = {},
               bool asNobody = false) const
    {
        if (asNobody)
            RunAsNobody(process);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Path("config"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), cache_);
        environment.insert(QStringLiteral("TMPDIR"), temp_);
        for (const QString& name : unset)
            environment.remove(name);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ORNALIX_BINARY), arguments);
        ASSERT_TRUE(process.waitForStarted());
    }

    static RunResult Finish(QProcess& process)
    {
        RunResult result;
        result.Finished = process.waitForFinished(kLimitMs);
        if (!result.Finished) {
            process.kill();
            process.waitForFinished();
        }
        result.Status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.Errors = QString::fromUtf8(process.readAllStandardError()).trimmed();
        return result;
    }

    RunResult Ornalix(const QStringList& arguments, const QStringList& unset = {}, bool asNobody = false) const
    {
        QProcess process;
        Start(process, arguments, unset, asNobody);
        return Finish(process);
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Clip() const { return Path("clip.avi"); }
    QString WorkFolder() const { return cache_ + QStringLiteral("/ornalix"); }
    QStringList WorkFolderEntries() const
    {
        return QDir(WorkFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }
    static QString Example(const char* name) { return QStringLiteral(ORNALIX_EXAMPLES "/") + QLatin1String(name); }
    QStringList Recording(const QString& clip, const QString& size, const QStringList& motion) const
    {
        return QStringList{"--record", clip, "--size", size} + motion + QStringList{Example("koch.fract")};
    }

    // Until the recording has made its work file, so that it is under way.
    bool WaitForAWorkFile() const
    {
        for (int waited = 0; waited < kLimitMs; waited += 20) {
            if (!WorkFolderEntries().isEmpty())
                return true;
            QThread::msleep(20);
        }
        return false;
    }

    void WriteWav(const QString& name, const Fmt& format) const
    {
        ASSERT_TRUE(WriteBytes(Path(name), Wave(Chunk("fmt ", Format(format)) + Chunk("data", QByteArray(64000, '\0')))));
    }

    QTemporaryDir dir_;
    QString cache_ = Path("cache");
    QString temp_ = Path("tmp");
};

TEST_F(RecordCommand, AnAnimationGivesTheAskedFramesAtTheTimerRate)
{
    const RunResult run = Ornalix(Recording(Clip(), "120x90", {"--animate", "both", "--frames", "7", "--seed", "5"}));
    ASSERT_EQ(run.Status, 0) << qPrintable(run.Errors);
    EXPECT_TRUE(run.Errors.isEmpty());
    const auto video = Probe(Clip(), "v:0");
    EXPECT_EQ(video["nb_read_frames"], "7");
    EXPECT_EQ(video["width"], "120");
    EXPECT_EQ(video["height"], "90");
    EXPECT_EQ(video["r_frame_rate"], "200/3");
    const QList<QImage> frames = DecodeFrames(Clip());
    ASSERT_EQ(frames.size(), 7);
    EXPECT_NE(frames[0], frames[6]);
    EXPECT_TRUE(WorkFolderEntries().isEmpty());
}

// The capture, then the clip's finishing, each half of the progress.
TEST_F(RecordCommand, ProgressCountsTheFramesThenTheFinishing)
{
    const RunResult run =
        Ornalix(Recording(Clip(), "120x90", {"--animate", "both", "--frames", "20", "--progress"}));
    ASSERT_EQ(run.Status, 0) << qPrintable(run.Errors);
    const QStringList lines = run.Errors.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 10) << qPrintable(run.Errors);
    EXPECT_EQ(lines.value(4), QStringLiteral("Recording %1: 50%").arg(Clip()));
    EXPECT_EQ(lines.value(9), QStringLiteral("Recording %1: 100%").arg(Clip()));
}

// The picture the zoom starts from, then its steps; or fewer frames.
TEST_F(RecordCommand, AZoomGivesItsStartAndItsStepsOrFewer)
{
    for (const auto& [frames, motion] : {std::pair{"61", QStringList{"--zoom", "40,30,120,90"}},
                                         std::pair{"9", QStringList{"--zoom", "40,30,120,90", "--frames", "9"}}}) {
        ASSERT_EQ(Ornalix(Recording(Clip(), "160x120", motion)).Status, 0);
        EXPECT_EQ(Probe(Clip(), "v:0")["nb_read_frames"], frames);
    }
}

// Before the first frame: exit 2, the one line, no clip and no work file.
TEST_F(RecordCommand, BadInputsFailFastWithOneLine)
{
    QDir().mkpath(Path("config"));
    WriteBytes(Path("config/Ornalix.conf"), "[General]\nzoomAnimation=0\n");
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("fifo.wav")).constData(), 0600), 0);
    WriteWav("silent.wav", Fmt().Channels(0));
    WriteWav("sound.mp3", Fmt());
    WriteBytes(Path("blocker"), "a file where the cache folder should be");
    WriteBytes(Path("turned.fract"), "1\r\n-1\r\n1\r\n0\r\n0\r\n1\r\n");
    const QStringList prepared = QDir(dir_.path()).entryList(QDir::Files | QDir::System);
    const QString koch = Example("koch.fract");
    struct Case {
        QStringList Arguments;
        QString Line;
        QString Cache = {}; // another cache and temporary folder for this run
    };
    const Case cases[] = {
        {Recording(Clip(), "64x48", kEndless + QStringList{"--wav", Path("fifo.wav")}),
         "A disk error occurred while opening the audio file.: " + Path("fifo.wav") + ": not a regular file"},
        {Recording(Clip(), "64x48", kEndless + QStringList{"--wav", Path("silent.wav")}),
         "The file could not be read, indicating a corrupt file or an unrecognized format.: " + Path("silent.wav")
             + ": no sound channels"},
        {Recording(Clip(), "64x48", kEndless + QStringList{"--wav", Path("missing.wav")}),
         "A disk error occurred while opening the audio file.: " + Path("missing.wav") + ": No such file or directory"},
        {Recording(Clip(), "64x48", kEndless + QStringList{"--wav", Path("sound.mp3")}),
         "WavFileName must name a file with the .wav extension: " + Path("sound.mp3")},
        {Recording(Path("clip.bmp"), "64x48", kEndless), "Nicht unterstütztes Dateiformat: " + Path("clip.bmp")},
        {Recording(Path("clip.gif"), "64x48", kEndless + QStringList{"--wav", Path("fifo.wav")}),
         "A GIF animation holds no sound: " + Path("fifo.wav")},
        {Recording(Clip(), "64x48", kEndless),
         "Die Datei kann nicht geschrieben werden: " + Path("blocker/ornalix") + ": Not a directory", Path("blocker")},
        {{"--record", Clip(), "--size", "64x48", "--animate", "angles", "--frames", "2", Path("missing.fract")},
         "Fehlerhaftes Dateiformat: " + Path("missing.fract") + ": No such file or directory"},
        {Recording(Clip(), "64x48", {"--zoom", "1,1,50,50"}),
         "--zoom needs the animated zoom, which the options switch off"},
        {Recording(Clip(), "64x48", {"--animate", "both", "--zoom", "1,1,50,50", "--frames", "3"}),
         "--record needs either --animate or --zoom"},
        {Recording(Clip(), "64x48", {"--animate", "both", "--frames", "0"}), "--frames needs a whole number of at least 1"},
        {Recording(Clip(), "64x48", {"--animate", "both"}), "--animate needs --frames N"},
        {{"--export", Clip(), koch}, "--export writes pictures; record a clip with --record"},
        {Recording(Clip(), "64x48", {"--endless", "--dive", "3,0", "--frames", "5"}),
         "--dive needs --magnify M and --frames N"},
        {Recording(Clip(), "64x48", {"--endless", "--dive", "3", "--magnify", "10", "--frames", "5"}),
         "--dive needs two decimal numbers X,Y"},
        {Recording(Clip(), "64x48", {"--endless", "--dive", "3,0", "--magnify", "-1e5", "--frames", "5"}),
         "--magnify needs a decimal number above zero"},
        {Recording(Clip(), "64x48", {"--endless", "--dive", "1,0", "--magnify", "1e10000", "--frames", "5"}),
         "--magnify goes deeper than the endless view draws: at most 1e1000"},
        {Recording(Clip(), "64x48", {"--dive", "3,0", "--magnify", "10", "--frames", "5"}),
         "--dive and --magnify belong to --record --endless"},
        {Recording(Clip(), "64x48", {"--endless", "--dive", "3,0", "--magnify", "10", "--zoom", "1,1,50,50"}),
         "--dive cannot be used with --animate or --zoom"},
        {{"--record", Clip(), "--size", "64x48", "--endless", "--animate", "both", "--frames", "3", Path("turned.fract")},
         "Endloser Zoom nur mit letzter Kante (1; 0): " + Path("turned.fract")},
    };
    for (const Case& c : cases) {
        cache_ = c.Cache.isEmpty() ? Path("cache") : c.Cache;
        temp_ = c.Cache.isEmpty() ? Path("tmp") : c.Cache;
        const RunResult run = Ornalix(c.Arguments);
        EXPECT_TRUE(run.Finished) << qPrintable(c.Line);
        EXPECT_EQ(run.Status, 2) << qPrintable(c.Line);
        EXPECT_EQ(run.Errors, c.Line);
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::System), prepared) << qPrintable(c.Line);
        EXPECT_TRUE(WorkFolderEntries().isEmpty()) << qPrintable(c.Line);
    }
    cache_ = Path("cache");
    temp_ = Path("tmp");
    QFile::remove(Path("config/Ornalix.conf"));
    const RunResult zoom = Ornalix(Recording(Clip(), "64x48", {"--zoom", "1,1,3,3"}));
    EXPECT_EQ(zoom.Errors, "the --zoom band is too small to zoom into");
}

// A file or folder that cannot be written is said so, with the system's
// reason, for pictures and clips alike; nothing is left behind. A cache
// that cannot be written gives way to the temporary folder.
TEST_F(RecordCommand, AFileThatCannotBeWrittenIsSaidSoWithTheReason)
{
    ASSERT_TRUE(Open(dir_.path()));
    ASSERT_TRUE(QDir().mkpath(Path("readonly")) && Open(Path("readonly"), false) && Open(temp_));
    const QString cannot = QStringLiteral("Die Datei kann nicht geschrieben werden: ");
    const QString missing = QString::fromLocal8Bit(std::strerror(ENOENT));
    const QString denied = QString::fromLocal8Bit(std::strerror(EACCES));
    const struct {
        QStringList Arguments;
        QString Line; // none for a clip that is made
        QString Cache = {};
        QString Temp = {};
    } cases[] = {
        {{"--export", Path("missing/a.png"), Example("koch.fract")}, cannot + Path("missing/a.png") + ": " + missing},
        {{"--export", Path("readonly/a.png"), Example("koch.fract")}, cannot + Path("readonly/a.png") + ": " + denied},
        {Recording(Path("missing/clip.webm"), "64x48", kEndless), cannot + Path("missing/clip.webm") + ": " + missing},
        {Recording(Path("readonly/clip.avi"), "64x48", kEndless), cannot + Path("readonly/clip.avi") + ": " + denied},
        {Recording(Clip(), "64x48", {"--animate", "angles", "--frames", "2"}), {}, Path("readonly")},
        {Recording(Clip(), "64x48", kEndless), cannot + Path("readonly/cache/ornalix") + ": " + denied,
         Path("readonly/cache"), Path("readonly")},
    };
    for (const auto& c : cases) {
        cache_ = c.Cache.isEmpty() ? Path("cache") : c.Cache;
        temp_ = c.Temp.isEmpty() ? Path("tmp") : c.Temp;
        const RunResult run = Ornalix(c.Arguments, {}, true);
        EXPECT_TRUE(run.Finished) << qPrintable(c.Line);
        EXPECT_EQ(run.Status, c.Line.isEmpty() ? 0 : 2) << qPrintable(c.Line);
        EXPECT_EQ(run.Errors, c.Line);
    }
    cache_ = Path("cache");
    EXPECT_EQ(Probe(Clip(), "v:0")["nb_read_frames"], "2");
    EXPECT_TRUE(QDir(Path("readonly")).isEmpty());
    EXPECT_TRUE(WorkFolderEntries().isEmpty());
}

// What other recordings and other programs leave in the cache folder is no
// obstacle and is left as it is; floating-point sound is taken; nothing is
// said, also where there is no runtime folder.
TEST_F(RecordCommand, RecordsBesideWhatTheCacheHolds)
{
    WorkFile busy({WorkFolder()});
    ASSERT_TRUE(busy.Open());
    ASSERT_TRUE(WriteBytes(Path("victim"), "keep me"));
    ASSERT_TRUE(QDir().mkdir(WorkFolder() + "/~AWTemp.avi"));
    ASSERT_TRUE(QFile::link(Path("victim"), WorkFolder() + "/recording-linktovictim.work"));
    ASSERT_TRUE(WriteBytes(WorkFolder() + "/notes", "not ours"));
    const QStringList foreign = WorkFolderEntries();
    WriteWav("float.wav", Fmt().Tag(3).Size(18).Bits(32));
    const RunResult run = Ornalix(
        Recording(Clip(), "64x48", {"--animate", "angles", "--frames", "3", "--wav", Path("float.wav")}),
        {"XDG_RUNTIME_DIR"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Errors, "");
    EXPECT_EQ(Probe(Clip(), "v:0")["nb_read_frames"], "3");
    EXPECT_EQ(Probe(Clip(), "a:0")["codec_name"], "pcm_f32le");
    EXPECT_EQ(WorkFolderEntries(), foreign);
    EXPECT_EQ(ReadBytes(Path("victim")), "keep me");
}

// Of any format, each with a work file of its own.
TEST_F(RecordCommand, TwoRecordingsAtOnceMakeTwoClips)
{
    QProcess first, second;
    Start(first, Recording(Path("first.avi"), "320x240", {"--animate", "both", "--frames", "300"}));
    ASSERT_TRUE(WaitForAWorkFile());
    Start(second, Recording(Path("second.mp4"), "200x100", {"--animate", "angles", "--frames", "20"}));
    for (QProcess* process : {&first, &second}) {
        const RunResult run = Finish(*process);
        EXPECT_EQ(run.Status, 0) << qPrintable(run.Errors);
    }
    EXPECT_EQ(Probe(Path("first.avi"), "v:0")["nb_read_frames"], "300");
    EXPECT_EQ(Probe(Path("second.mp4"), "v:0")["nb_read_frames"], "20");
    EXPECT_TRUE(WorkFolderEntries().isEmpty());
}

TEST_F(RecordCommand, ASignalEndsTheRecordingWithNoClipAndNoWorkFile)
{
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        QProcess process;
        Start(process, Recording(Clip(), "320x240", kEndless));
        ASSERT_TRUE(WaitForAWorkFile());
        ::kill(static_cast<pid_t>(process.processId()), signal);
        const RunResult run = Finish(process);
        EXPECT_EQ(run.Status, 128 + signal) << signal;
        EXPECT_EQ(run.Errors, "");
        EXPECT_FALSE(QFileInfo::exists(Clip()));
        EXPECT_TRUE(WorkFolderEntries().isEmpty()) << signal;
    }
}

// kill -9 leaves the work file; the next start, whatever for, removes it.
TEST_F(RecordCommand, AKilledRecordingsWorkFileGoesAtTheNextStart)
{
    QProcess process;
    Start(process, Recording(Clip(), "320x240", kEndless));
    ASSERT_TRUE(WaitForAWorkFile());
    process.kill();
    process.waitForFinished();
    ASSERT_EQ(WorkFolderEntries().size(), 1);
    EXPECT_EQ(Ornalix({"--version"}).Status, 0);
    EXPECT_TRUE(WorkFolderEntries().isEmpty());
}

TEST_F(RecordCommand, HelpListsTheRecording)
{
    QProcess process;
    process.start(QStringLiteral(ORNALIX_BINARY), {"--help"});
    process.waitForFinished();
    const QString help = QString::fromUtf8(process.readAllStandardOutput());
    for (const char* option : {"--record", "--animate", "--zoom", "--frames", "--wav", "--progress"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
}

// The deepest magnification the endless view draws, typed as the refusal
// of a deeper one names it, is recorded with the curve in its last frame.
TEST_F(RecordCommand, ADiveToTheDeepestMagnificationAsTypedIsRecorded)
{
    const RunResult run = Ornalix({"--record", Clip(), "--size", "64x48", "--endless", "--dive", "1,0", "--magnify",
                                   "1e1000", "--frames", "3", Example("cesaro.fract")});
    ASSERT_EQ(run.Status, 0) << qPrintable(run.Errors);
    const QList<QImage> frames = DecodeFrames(Clip());
    ASSERT_EQ(frames.size(), 3);
    EXPECT_GT(PixelsOf(frames.back(), qRgb(0, 0, 0)), 20) << "the curve shows";
}

// Frame i is magnified 9^i about the curve's end, where only the curve's
// last copies reach into the view: every frame repeats the first, the full
// view, the last one 3^58 times deeper.
TEST_F(RecordCommand, AnEndlessDiveRepeatsItsFirstFrame)
{
    const RunResult run = Ornalix({"--record", Clip(), "--size", "160x120", "--endless", "--dive", "3,0", "--magnify",
                                   "4710128697246244834921603689", "--frames", "30", Example("quadratic-koch.fract")});
    ASSERT_EQ(run.Status, 0) << qPrintable(run.Errors);
    const auto video = Probe(Clip(), "v:0");
    EXPECT_EQ(video["nb_read_frames"], "30");
    EXPECT_EQ(video["width"], "160");
    const QList<QImage> frames = DecodeFrames(Clip());
    ASSERT_EQ(frames.size(), 30);
    const RunResult full = Ornalix({"--export", Path("full.bmp"), "--size", "160x120", "--endless",
                                    Example("quadratic-koch.fract")});
    ASSERT_EQ(full.Status, 0) << qPrintable(full.Errors);
    EXPECT_EQ(DifferentPixels(frames[0], QImage(Path("full.bmp"))), 0);
    EXPECT_EQ(frames[15], frames[1]);
    EXPECT_EQ(frames[29], frames[1]);
    EXPECT_GT(PixelsOf(frames[29], qRgb(0, 0, 0)), 200) << "the curve shows";
}

} // namespace
