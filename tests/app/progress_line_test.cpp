#include "app/progress_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

// What the line writes for the reports, ended or not.
std::string Written(bool terminal, const std::vector<std::pair<qint64, qint64>>& reports, bool end = true)
{
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    {
        ProgressLine line(out, terminal, QStringLiteral("Writing a.png"));
        for (const auto& [done, total] : reports)
            line.Report(done, total);
        if (!end)
            line.End();
    }
    std::fclose(out);
    std::string written(text, size);
    std::free(text);
    return written;
}

} // namespace

// A terminal sees one line rewritten as the percentage grows, and ended
// once; a log one line for every tenth passed, however the reports fall.
TEST(ProgressLine, OneRewrittenLineOnATerminalElseALineForEveryTenth)
{
    const struct {
        bool terminal;
        std::vector<std::pair<qint64, qint64>> reports;
        std::string written;
    } cases[] = {
        {true, {{0, 200}, {1, 200}, {2, 200}, {3, 200}, {200, 200}},
         "\rWriting a.png: 0%\rWriting a.png: 1%\rWriting a.png: 100%\n"},
        {true, {}, ""},
        {false, {{0, 200}, {19, 200}, {20, 200}, {21, 200}, {40, 200}},
         "Writing a.png: 10%\nWriting a.png: 20%\n"},
        {false, {{1, 3}, {3, 3}},
         "Writing a.png: 10%\nWriting a.png: 20%\nWriting a.png: 30%\nWriting a.png: 40%\nWriting a.png: 50%\n"
         "Writing a.png: 60%\nWriting a.png: 70%\nWriting a.png: 80%\nWriting a.png: 90%\nWriting a.png: 100%\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Written(c.terminal, c.reports), c.written) << c.terminal;
}

// A failure's line that follows starts on a line of its own, and the line
// says nothing more once ended.
TEST(ProgressLine, EndedItEndsTheTerminalsLineAndFallsSilent)
{
    EXPECT_EQ(Written(true, {{1, 2}}, false), "\rWriting a.png: 50%\n");
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    {
        ProgressLine line(out, true, QStringLiteral("x"));
        line.Report(1, 2);
        line.End();
        line.Report(2, 2);
    }
    std::fclose(out);
    EXPECT_EQ(std::string(text, size), "\rx: 50%\n");
    std::free(text);
}
