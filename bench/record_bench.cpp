// The same 60-frame 1920 x 1080 zoom recorded from the command line as an
// AVI and as each shared format, every run a whole process, the AVI run
// and the other in turn so that both meet the same machine. The time is
// the other format's; vs_avi is its total over the AVI's, bytes its size.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Seconds the whole process took, or a negative number when it failed.
double Record(const QString& out)
{
    const QStringList arguments{QStringLiteral(ORNALIX_EXAMPLES "/koch.fract"),
                                QStringLiteral("--record"),
                                out,
                                QStringLiteral("--size"),
                                QStringLiteral("1920x1080"),
                                QStringLiteral("--zoom"),
                                QStringLiteral("900,500,1000,560"),
                                QStringLiteral("--frames"),
                                QStringLiteral("60")};
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(ORNALIX_BINARY), arguments);
    const bool finished = process.waitForFinished(-1);
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? seconds : -1;
}

void RecordZoom(benchmark::State& state, const char* extension)
{
    QTemporaryDir dir;
    const QString avi = dir.filePath(QStringLiteral("zoom.avi"));
    const QString out = dir.filePath(QStringLiteral("zoom.") + QLatin1String(extension));
    double aviTotal = 0, outTotal = 0;
    for (auto _ : state) {
        const double aviSeconds = Record(avi), outSeconds = Record(out);
        if (aviSeconds < 0 || outSeconds < 0) {
            state.SkipWithError("the recording failed");
            return;
        }
        aviTotal += aviSeconds;
        outTotal += outSeconds;
        state.SetIterationTime(outSeconds);
    }
    state.counters["vs_avi"] = outTotal / aviTotal;
    state.counters["bytes"] = static_cast<double>(QFileInfo(out).size());
    state.counters["avi_bytes"] = static_cast<double>(QFileInfo(avi).size());
}

BENCHMARK_CAPTURE(RecordZoom, mp4, "mp4")->UseManualTime()->Iterations(9)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RecordZoom, webm, "webm")->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RecordZoom, gif, "gif")->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
