#pragma once

#include <QtGlobal>

#include <stdexcept>

// What long work (an export, a printed page, the finishing of a clip) tells
// the one who waits for it, and how that one stops it. The work reports and
// asks between its steps, on whatever thread it runs; a watcher that shows
// the progress elsewhere makes both safe across threads.
class WorkProgress {
public:
    virtual ~WorkProgress() = default;
    // done of total steps, total above zero.
    virtual void Report(qint64 done, qint64 total) = 0;
    // Once true, the work gives up at its next step and leaves nothing
    // behind: no new file, an old one as it was.
    virtual bool Cancelled() const = 0;

    // Work nobody watches or stops.
    static WorkProgress& Unwatched();
};

// Thrown by work that gave up because it was cancelled: no failure to
// report, nothing was written.
class WorkCancelled : public std::runtime_error {
public:
    WorkCancelled() : std::runtime_error("cancelled") {}
};

// Throws WorkCancelled once the work is cancelled.
void ThrowIfCancelled(const WorkProgress& progress);

// One of count equal parts of a whole work (the passes of a writer, the
// capture and the finishing of a clip): its steps fill the part's share of
// the whole's progress.
class WorkPart : public WorkProgress {
public:
    WorkPart(WorkProgress& whole, int index, int count) : whole_(whole), index_(index), count_(count) {}

    void Report(qint64 done, qint64 total) override;
    bool Cancelled() const override { return whole_.Cancelled(); }

private:
    WorkProgress& whole_;
    int index_;
    int count_;
};
