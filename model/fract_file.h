#pragma once

#include "model/atomic_file.h"
#include "model/fract_model.h"

#include <QString>

#include <functional>
#include <string>

// The whole .fract file: line 1 the depth, line 2 the display mode ("-1"
// lines, "0" points), then the generator's edge lines.

constexpr int kMinFileDepth = 1;
constexpr int kMaxFileDepth = 8;

// Receives the file's values as they are read, so that a caller sees the
// state a bad line leaves behind.
struct FractFileTarget {
    std::function<void(int depth)> SetDepth;
    std::function<void(bool lines)> SetLines;
    FractModel& Generator;
};

// Throws FractFormatError for anything that is not a .fract file, including
// a file that cannot be read and anything but a regular file (a FIFO is
// never waited on). Each number line may use either decimal
// separator, whatever the locale that wrote it.
void ReadFractText(std::string text, const FractFileTarget& target);
void ReadFractFile(const QString& path, const FractFileTarget& target);
// The window's call of old, which passes the locale's separator; reading no
// longer needs it.
inline void ReadFractFile(const QString& path, const FractFileTarget& target, char /*separator*/)
{
    ReadFractFile(path, target);
}

// The depth, display mode and generator of a whole file, read into the given
// generator.
struct FractDocument {
    int Depth = 1;
    bool Lines = true;
};
FractDocument LoadFractDocument(const QString& path, FractModel& generator);
FractDocument ReadFractDocument(std::string text, FractModel& generator);

// The type under which a generator's .fract text is passed between programs.
inline constexpr char kFractMimeType[] = "application/x-ornalix-fract";

// Written with the locale's separator, so that older readers keep reading
// what they wrote.
std::string FractFileText(int depth, bool lines, const FractModel& generator, char separator);

// Replaces the file only once everything is written and flushed, so a
// failure (a full disk too) leaves an existing file as it was and no new
// file behind. Throws FileWriteError (a std::runtime_error) with the
// system's reason.
void WriteFractFile(const QString& path, const std::string& text);
void WriteFractFile(PendingFile& file, const std::string& text);
