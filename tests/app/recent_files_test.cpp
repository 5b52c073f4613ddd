#include "app/recent_files.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(RecentFiles, NewestFirstEachOnceAtMostEightAbsolute)
{
    RecentFiles recent;
    for (int i = 0; i < 9; ++i)
        recent.Add(QStringLiteral("/d/f%1.fract").arg(i));
    recent.Add(QStringLiteral("/d/e/../f4.fract"));
    recent.Add(QStringLiteral("here.fract"));
    EXPECT_EQ(recent.Files(), QStringList({QDir::current().absoluteFilePath("here.fract"), "/d/f4.fract", "/d/f8.fract",
                                           "/d/f7.fract", "/d/f6.fract", "/d/f5.fract", "/d/f3.fract", "/d/f2.fract"}));
}

} // namespace
