#pragma once

#include "model/work_progress.h"

#include <QString>

#include <optional>
#include <stdexcept>

class QImage;

// What went wrong with a clip: the writer's own message, which is all the
// window shows, and for the command line the file it concerns and the
// reason (the system's, or what is wrong with the file).
struct ClipFailure {
    QString Message;
    QString File;
    QString Reason;
};

// Every failure of a ClipSink.
class ClipError : public std::runtime_error {
public:
    explicit ClipError(ClipFailure failure)
        : std::runtime_error(failure.Message.toStdString()), failure_(std::move(failure))
    {
    }
    const ClipFailure& Failure() const { return failure_; }

private:
    ClipFailure failure_;
};

// A clip's file, or the work folder of its frames, that cannot be made or
// written; File names it and Reason is the system's.
class ClipWriteError : public ClipError {
public:
    using ClipError::ClipError;
};

// Where the frames of a recording go: a clip writer of some format, opened
// for one clip. Failures are ClipError.
class ClipSink {
public:
    virtual ~ClipSink() = default;
    // Adds one frame, a picture of the size the clip was opened with: in
    // QImage::Format_Mono with the two colours in its table when the curve
    // is drawn straight into bits (no smoothing), else in Format_RGB32.
    virtual void AddFrame(const QImage& frame) = 0;
    // Writes the clip of the frames added so far, whole or not at all,
    // telling the progress how far it is; cancelled, it gives up with
    // WorkCancelled and writes nothing.
    virtual void Finish(WorkProgress& progress) = 0;
    // Whether the clip keeps the shades of smoothed lines; a clip of two
    // colours takes its frames unsmoothed.
    virtual bool TakesShades() const { return false; }
};

// A ClipError's failure, or any other error's message alone.
ClipFailure ClipFailureOf(const std::exception& e);

// Finishes the clip; gives the writer's failure when writing failed, and
// nothing when it was written or the progress cancelled it.
std::optional<ClipFailure> FinishClip(ClipSink& clip, WorkProgress& progress);
