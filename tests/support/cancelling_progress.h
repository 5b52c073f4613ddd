#pragma once

#include "model/work_progress.h"

#include <limits>
#include <utility>
#include <vector>

// Answers the work's questions whether to go on with "cancelled" from the
// given one on (counted from 1; never by default), and keeps every report.
class CancelAt : public WorkProgress {
public:
    explicit CancelAt(int question = std::numeric_limits<int>::max()) : question_(question) {}

    void Report(qint64 done, qint64 total) override { reports.emplace_back(done, total); }
    bool Cancelled() const override { return ++asked_ >= question_; }

    int Asked() const { return asked_; }
    std::vector<std::pair<qint64, qint64>> reports;

private:
    int question_;
    mutable int asked_ = 0;
};
