#include "model/work_progress.h"

namespace {

// The steps of one part as the whole counts them: fine enough for a tenth
// of a percent of any number of parts.
constexpr qint64 kPartSteps = 1000000;

class NoWatcher final : public WorkProgress {
public:
    void Report(qint64, qint64) override {}
    bool Cancelled() const override { return false; }
};

} // namespace

WorkProgress& WorkProgress::Unwatched()
{
    static NoWatcher nobody;
    return nobody;
}

void ThrowIfCancelled(const WorkProgress& progress)
{
    if (progress.Cancelled())
        throw WorkCancelled();
}

void WorkPart::Report(qint64 done, qint64 total)
{
    whole_.Report(index_ * kPartSteps + done * kPartSteps / total, count_ * kPartSteps);
}
