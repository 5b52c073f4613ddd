#pragma once

#include "view/big_float.h"

#include <QLine>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// The exit status of a command that failed: it printed one line saying why.
constexpr int kCommandFailed = 2;
// A command that a signal ended exits with this plus the signal's number, as
// a shell reports a process the signal killed.
constexpr int kSignalExitBase = 128;

// Prints the one line of a failed command, "message: subject: reason" with
// what there is of the last two, and gives kCommandFailed.
int CommandFailed(const QString& message, const QString& subject = {}, const QString& reason = {});

// What the program was asked to do from the shell.
struct CommandLine {
    QString FractFile;           // a .fract file to open or export
    QString ExportFile;          // set: write this picture and exit
    QString SizeText;            // "WxH" from --size, empty for the stored size
    std::optional<quint64> Seed; // fixes the random source
    QString RecordFile;          // set: record this clip and exit
    bool AnimateLengths = false; // --animate
    bool AnimateAngles = false;
    std::optional<QLine> ZoomBand; // --zoom, in pane pixels
    std::optional<int> Frames;     // at most this many frames
    QString WavFile;               // sound for the clip
    bool Endless = false;          // --endless: the limit curve
    // --view: the window's corners in the generator's coordinates.
    std::optional<std::pair<BigComplex, BigComplex>> View;
    // --dive and --magnify: the curve point and the magnification.
    std::optional<BigComplex> DivePoint;
    std::optional<BigFloat> Magnification;
    bool Progress = false; // --progress: how far the work is, on stderr
};

// Reads the arguments (the program name first). On --help, --version or a
// usage error it prints what the user needs and returns the exit status.
std::optional<int> ParseCommandLine(const QStringList& arguments, CommandLine& result);

// "WxH" as two whole numbers above zero.
std::optional<QSize> ParseExportSize(const QString& text);
