#include "app/progress_line.h"

#include <algorithm>

#include <unistd.h>

namespace {

constexpr int kPercent = 100;
constexpr int kTenth = 10;

} // namespace

ProgressLine::ProgressLine(std::FILE* out, bool terminal, const QString& label)
    : out_(out), terminal_(terminal), label_(label.toLocal8Bit())
{
}

void ProgressLine::End()
{
    if (out_ && terminal_ && shown_ >= 0)
        std::fputs("\n", out_);
    out_ = nullptr;
}

bool ProgressLine::StandardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

void ProgressLine::Report(qint64 done, qint64 total)
{
    if (!out_ || total <= 0)
        return;
    const int percent = static_cast<int>(std::clamp<qint64>(done * kPercent / total, 0, kPercent));
    if (terminal_) {
        if (percent != shown_)
            Write(percent, "");
        return;
    }
    // Every tenth passed gets its line, also where one report passes several.
    for (int tenth = std::max(shown_, 0) + kTenth; tenth <= percent; tenth += kTenth)
        Write(tenth, "\n");
}

void ProgressLine::Write(int percent, const char* end)
{
    std::fprintf(out_, "%s%s: %d%%%s", terminal_ ? "\r" : "", label_.constData(), percent, end);
    std::fflush(out_);
    shown_ = percent;
}
