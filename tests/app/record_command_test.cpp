#include "tests/support/clip_reader.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct RunResult {
    int status;
    QString errors;
};

// The program as a shell runs it, with no display and settings of its own.
class RecordCommand : public ::testing::Test {
protected:
    RunResult Ornalix(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath("config"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath("cache"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ORNALIX_BINARY), arguments);
        process.waitForFinished(120000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()).trimmed()};
    }

    QString Clip() const { return dir.filePath("clip.avi"); }
    static QString Example(const char* name) { return QStringLiteral(ORNALIX_EXAMPLES "/") + QLatin1String(name); }

    // Exit 2, one line, no clip and no work file left.
    void ExpectFailure(const QStringList& arguments, const char* line)
    {
        const RunResult run = Ornalix(arguments);
        EXPECT_EQ(run.status, 2) << qPrintable(arguments.join(' '));
        EXPECT_EQ(run.errors, QLatin1String(line));
        EXPECT_FALSE(QFileInfo::exists(Clip()));
        EXPECT_TRUE(QDir(dir.filePath("cache/ornalix")).entryList(QDir::Files).isEmpty());
    }

    QTemporaryDir dir;
};

TEST_F(RecordCommand, AnAnimationGivesTheAskedFramesAtTheTimerRate)
{
    const RunResult run = Ornalix({"--record", Clip(), "--size", "120x90", "--animate", "both", "--frames", "7", "--seed",
                             "5", Example("koch.fract")});
    ASSERT_EQ(run.status, 0) << qPrintable(run.errors);
    const auto video = Probe(Clip(), "v:0");
    EXPECT_EQ(video["nb_read_frames"], "7");
    EXPECT_EQ(video["width"], "120");
    EXPECT_EQ(video["height"], "90");
    EXPECT_EQ(video["r_frame_rate"], "200/3");
    const QList<QImage> frames = DecodeFrames(Clip());
    ASSERT_EQ(frames.size(), 7);
    EXPECT_NE(frames[0], frames[6]);
}

TEST_F(RecordCommand, AZoomGivesItsStepsOrFewer)
{
    ASSERT_EQ(Ornalix({"--record", Clip(), "--size", "160x120", "--zoom", "40,30,120,90", Example("koch.fract")}).status,
              0);
    EXPECT_EQ(Probe(Clip(), "v:0")["nb_read_frames"], "60");
    QFile::remove(Clip());
    ASSERT_EQ(Ornalix({"--record", Clip(), "--size", "160x120", "--zoom", "40,30,120,90", "--frames", "9",
                       Example("koch.fract")})
                  .status,
              0);
    EXPECT_EQ(Probe(Clip(), "v:0")["nb_read_frames"], "9");
}

TEST_F(RecordCommand, FailuresExitWithOneLineAndLeaveNoClip)
{
    const QString koch = Example("koch.fract");
    ExpectFailure({"--record", Clip(), "--size", "64x48", "--animate", "both", "--zoom", "1,1,50,50", "--frames", "3",
                   koch},
                  "--record needs either --animate or --zoom");
    ExpectFailure({"--record", Clip(), "--size", "64x48", "--animate", "both", "--frames", "0", koch},
                  "--frames needs a whole number of at least 1");
    ExpectFailure({"--record", Clip(), "--size", "64x48", "--animate", "both", koch}, "--animate needs --frames N");
    ExpectFailure({"--record", Clip(), "--size", "64x48", "--zoom", "1,1,3,3", koch},
                  "the --zoom band is too small to zoom into");
    ExpectFailure({"--record", Clip(), "--size", "64x48", "--animate", "angles", "--frames", "2",
                   dir.filePath("missing.fract")},
                  "Fehlerhaftes Dateiformat");
    ExpectFailure({"--record", Clip(), "--size", "64x48", "--animate", "angles", "--frames", "2", "--wav",
                   dir.filePath("missing.wav"), koch},
                  "A disk error occurred while opening the audio file.");
    ExpectFailure({"--export", Clip(), koch}, "--export writes pictures; record a clip with --record");
}

TEST_F(RecordCommand, AZoomWithTheAnimationSwitchedOffIsRefused)
{
    QDir().mkpath(dir.filePath("config"));
    QFile settings(dir.filePath("config/Ornalix.conf"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[General]\nzoomAnimation=0\n");
    settings.close();
    ExpectFailure({"--record", Clip(), "--size", "64x48", "--zoom", "1,1,50,50", Example("koch.fract")},
                  "--zoom needs the animated zoom, which the options switch off");
}

TEST_F(RecordCommand, HelpListsTheRecording)
{
    QProcess process;
    process.start(QStringLiteral(ORNALIX_BINARY), {"--help"});
    process.waitForFinished();
    const QString help = QString::fromUtf8(process.readAllStandardOutput());
    for (const char* option : {"--record", "--animate", "--zoom", "--frames", "--wav"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
}

} // namespace

namespace {

// Frame i is magnified 9^i about the curve's end, where only the curve's
// last copies reach into the view: every frame repeats the first, the last
// one 3^58 times deeper.
TEST_F(RecordCommand, AnEndlessDiveRepeatsItsFirstZoomedFrames)
{
    ASSERT_EQ(Ornalix({"--record", Clip(), "--size", "160x120", "--endless", "--dive", "3,0", "--magnify",
                       "42391158275216203514294433201", "--frames", "30", Example("quadratic-koch.fract")})
                  .status,
              0);
    const auto video = Probe(Clip(), "v:0");
    EXPECT_EQ(video["nb_read_frames"], "30");
    EXPECT_EQ(video["width"], "160");
    const QList<QImage> frames = DecodeFrames(Clip());
    ASSERT_EQ(frames.size(), 30);
    EXPECT_EQ(frames[1], frames[0]);
    EXPECT_EQ(frames[15], frames[0]);
    EXPECT_EQ(frames[29], frames[0]);
    int curve = 0;
    for (int y = 0; y < frames[29].height(); ++y)
        for (int x = 0; x < frames[29].width(); ++x)
            curve += frames[29].pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_GT(curve, 200) << "the curve shows";
}

TEST_F(RecordCommand, EndlessFailuresExitWithOneLineAndLeaveNoClip)
{
    const QString curve = Example("quadratic-koch.fract");
    const QStringList record{"--record", Clip(), "--size", "64x48"};
    ExpectFailure(record + QStringList{"--endless", "--dive", "3,0", "--frames", "5", curve},
                  "--dive needs --magnify M and --frames N");
    ExpectFailure(record + QStringList{"--endless", "--dive", "3", "--magnify", "10", "--frames", "5", curve},
                  "--dive needs two decimal numbers X,Y");
    ExpectFailure(record + QStringList{"--endless", "--dive", "3,0", "--magnify", "-1e5", "--frames", "5", curve},
                  "--magnify needs a decimal number above zero");
    ExpectFailure(record + QStringList{"--dive", "3,0", "--magnify", "10", "--frames", "5", curve},
                  "--dive and --magnify belong to --record --endless");
    ExpectFailure(record + QStringList{"--endless", "--dive", "3,0", "--magnify", "10", "--zoom", "1,1,50,50", curve},
                  "--dive cannot be used with --animate or --zoom");
    QFile turned(dir.filePath("turned.fract"));
    ASSERT_TRUE(turned.open(QIODevice::WriteOnly));
    turned.write("1\r\n-1\r\n1\r\n0\r\n0\r\n1\r\n");
    turned.close();
    ExpectFailure(record + QStringList{"--endless", "--animate", "both", "--frames", "3", turned.fileName()},
                  "Endloser Zoom nur mit letzter Kante (1; 0)");
}

} // namespace
