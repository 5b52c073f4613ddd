#pragma once

#include "model/work_progress.h"

#include <QString>

#include <cstdio>

// How far a command's work is, for --progress, as "label: 42%". On a
// terminal one line rewrites itself ("\r") as the percentage grows and is
// ended with the work; elsewhere (a log, a pipe) a line is written for
// every tenth, so that the log stays short. Without a stream it writes
// nothing. Never cancels.
class ProgressLine : public WorkProgress {
public:
    ProgressLine(std::FILE* out, bool terminal, const QString& label);
    ~ProgressLine() override { End(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Report(qint64 done, qint64 total) override;
    bool Cancelled() const override { return false; }
    // Ends the terminal's line, so that what comes next (a failure's line)
    // starts on a line of its own; nothing more is written.
    void End();

    // On standard error, rewriting itself where that is a terminal.
    static bool StandardErrorIsTerminal();

private:
    void Write(int percent, const char* end);

    std::FILE* out_;
    bool terminal_;
    QByteArray label_;
    // What was last written: a percentage, or a tenth's.
    int shown_ = -1;
};
