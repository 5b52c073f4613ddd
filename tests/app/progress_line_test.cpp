#include "app/progress_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kNeverEnded = ~std::size_t(0);

struct Case {
    bool terminal;
    std::vector<std::pair<qint64, qint64>> reports;
    // The report before which the line is ended; otherwise only its end of
    // life ends it.
    std::size_t endedBefore;
    std::string written;
};

std::string Written(const Case& c)
{
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    {
        ProgressLine line(out, c.terminal, QStringLiteral("Writing a.png"));
        for (std::size_t i = 0; i < c.reports.size(); ++i) {
            if (i == c.endedBefore)
                line.End();
            line.Report(c.reports[i].first, c.reports[i].second);
        }
    }
    std::fclose(out);
    std::string written(text, size);
    std::free(text);
    return written;
}

} // namespace

// A terminal sees one line rewritten as the percentage grows, and ended
// once; a log one line for every tenth passed, however the reports fall.
// Once ended, the line ends the terminal's line, so that a failure's text
// starts on a line of its own, and says nothing more.
TEST(ProgressLine, OneRewrittenLineOnATerminalElseALineForEveryTenth)
{
    const Case cases[] = {
        {true, {{0, 200}, {1, 200}, {2, 200}, {3, 200}, {200, 200}}, kNeverEnded,
         "\rWriting a.png: 0%\rWriting a.png: 1%\rWriting a.png: 100%\n"},
        {true, {}, kNeverEnded, ""},
        {true, {{1, 2}, {2, 2}}, 1, "\rWriting a.png: 50%\n"},
        {false, {{0, 200}, {19, 200}, {20, 200}, {21, 200}, {40, 200}}, kNeverEnded,
         "Writing a.png: 10%\nWriting a.png: 20%\n"},
        {false, {{1, 3}, {3, 3}}, kNeverEnded,
         "Writing a.png: 10%\nWriting a.png: 20%\nWriting a.png: 30%\nWriting a.png: 40%\nWriting a.png: 50%\n"
         "Writing a.png: 60%\nWriting a.png: 70%\nWriting a.png: 80%\nWriting a.png: 90%\nWriting a.png: 100%\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Written(c), c.written) << c.terminal << " " << c.reports.size();
}
