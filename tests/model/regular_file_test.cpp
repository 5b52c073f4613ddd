// Only regular files are read: nothing waits on a FIFO or reads a device or
// a folder.
#include "model/regular_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(RegularFile, OpensOnlyRegularFilesAndSaysWhyNot)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString plain = dir.filePath("plain");
    QFile write(plain);
    ASSERT_TRUE(write.open(QIODevice::WriteOnly) && write.write("bytes") == 5);
    write.close();
    struct Case {
        QString Path;
        QString Reason; // empty: opened
    };
    const Case cases[] = {
        {plain, {}},
        {fifo, kNotARegularFile}, // would block until a writer came
        {dir.path(), kNotARegularFile},
        {"/dev/zero", kNotARegularFile}, // would never end
        {dir.filePath("missing"), "No such file or directory"},
    };
    for (const Case& c : cases) {
        QFile file;
        QString reason;
        EXPECT_EQ(OpenRegularFile(file, c.Path, reason), c.Reason.isEmpty()) << qPrintable(c.Path);
        EXPECT_EQ(reason, c.Reason) << qPrintable(c.Path);
        if (c.Reason.isEmpty()) {
            EXPECT_EQ(file.readAll(), "bytes");
        }
    }
}

} // namespace
