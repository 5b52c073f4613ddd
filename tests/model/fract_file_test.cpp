#include "model/fract_file.h"
#include "model/start_generator.h"
#include "tests/support/failing_file.h"
#include "tests/support/small_disk.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <limits>

namespace {

struct Reading {
    int depth = -99;
    bool lines = false;
    bool linesSet = false;
    FractModel generator{10};

    FractFileTarget Target()
    {
        return {[this](int d) { depth = d; }, [this](bool l) { lines = l; linesSet = true; }, generator};
    }
};

TEST(FractFile, WritesDepthModeAndEdges)
{
    FractModel generator(10);
    MakeStartGenerator(generator);
    EXPECT_EQ(FractFileText(3, true, generator, '.'),
              "3\r\n-1\r\n1\r\n0\r\n0.6\r\n-0.8\r\n-0.28\r\n0.96\r\n0.6\r\n-0.8\r\n");
    EXPECT_EQ(FractFileText(8, false, generator, ',').substr(0, 15), "8\r\n0\r\n1\r\n0\r\n0,6");
}

TEST(FractFile, HeaderLinesAcceptWhatOldFilesHold)
{
    const std::pair<const char*, int> depths[] = {{"3", 3}, {"  8", 8}, {"$7", 7}, {"x2", 2}, {"0x5", 5}, {"+4", 4}};
    for (const auto& [text, depth] : depths) {
        Reading r;
        ReadFractText(std::string(text) + "\r\n-1\r\n", r.Target());
        EXPECT_EQ(r.depth, depth) << text;
    }
    const std::pair<const char*, bool> modes[] = {{"0", false}, {"True", true}, {"true", true}, {"1", true},
                                                  {"fAlSe", false}, {"-1", true}};
    for (const auto& [text, lines] : modes) {
        Reading r;
        ReadFractText(std::string("2\n") + text + "\n", r.Target());
        EXPECT_EQ(r.lines, lines) << text;
        EXPECT_EQ(r.generator.Count, 0) << "a header-only file has no edges";
    }
}

TEST(FractFile, BadLinesLeaveThePartialState)
{
    Reading badDepth;
    EXPECT_THROW(ReadFractText("three\n-1\n", badDepth.Target()), FractFormatError);
    EXPECT_EQ(badDepth.depth, -99);

    Reading badMode;
    EXPECT_THROW(ReadFractText("5\nmaybe\n1\n0\n", badMode.Target()), FractFormatError);
    EXPECT_EQ(badMode.depth, 5);
    EXPECT_FALSE(badMode.linesSet);

    Reading badEdge;
    EXPECT_THROW(ReadFractText("4\r\n0\r\n1\r\n0\r\n0.6\r\nx\r\n", badEdge.Target()), FractFormatError);
    EXPECT_EQ(badEdge.depth, 4);
    EXPECT_TRUE(badEdge.linesSet);
    EXPECT_FALSE(badEdge.lines);
    EXPECT_EQ(badEdge.generator.Count, 1);
    EXPECT_EQ(badEdge.generator.Items[1].Re, 0.6);

    Reading empty;
    EXPECT_THROW(ReadFractText("", empty.Target()), FractFormatError);
}

TEST(FractFile, DepthsTheProgramCannotDrawAreFormatErrors)
{
    for (const char* depth : {"0", "9", "-1", "1000000", "$7FFFFFFF"}) {
        Reading r;
        EXPECT_THROW(ReadFractText(std::string(depth) + "\n-1\n1\n0\n", r.Target()), FractFormatError) << depth;
        EXPECT_EQ(r.depth, -99);
    }
}

TEST(FractFile, RoundTripThroughADisk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kurve.fract"));
    FractModel generator(10);
    MakeStartGenerator(generator);
    WriteFractFile(path, FractFileText(3, true, generator, ','));

    FractModel loaded(10);
    const FractDocument document = LoadFractDocument(path, loaded);
    EXPECT_EQ(document.Depth, 3);
    EXPECT_TRUE(document.Lines);
    ASSERT_EQ(loaded.Count, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(loaded.Items[i].Re, generator.Items[i].Re);
        EXPECT_EQ(loaded.Items[i].Im, generator.Items[i].Im);
    }
    EXPECT_THROW(LoadFractDocument(dir.filePath(QStringLiteral("missing.fract")), loaded), FractFormatError);
}

TEST(FractFile, AFailedWriteLeavesTheOldFile)
{
    QTemporaryDir dir;
    EXPECT_THROW(WriteFractFile(dir.filePath(QStringLiteral("no/such/folder/x.fract")), "1\r\n"), std::runtime_error);
    const QString path = dir.filePath(QStringLiteral("keep.fract"));
    WriteFractFile(path, "old");
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFileInfo(dir.path()).isWritable()) { // root may write anyway
        EXPECT_THROW(WriteFractFile(path, "new"), std::runtime_error);
        std::ifstream in(path.toStdString());
        std::string content;
        in >> content;
        EXPECT_EQ(content, "old");
    }
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // A name of the longest length the folder takes leaves no room for a
    // new file's name beside it: the write fails even for the superuser.
    const QString longName = dir.filePath(QString(249, QLatin1Char('n')) + QStringLiteral(".fract"));
    QFile old(longName);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the old file\r\n");
    old.close();
    EXPECT_THROW(WriteFractFile(longName, "new"), std::runtime_error);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("the old file\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no new file is left behind";
}

TEST(FractFile, NumberLinesTakeEitherSeparatorLineByLine)
{
    Reading r;
    ReadFractText("2\r\n0,0\r\n0.5\r\n-0,25\r\n1,5E-1\r\n2\r\n", r.Target());
    EXPECT_FALSE(r.lines);
    ASSERT_EQ(r.generator.Count, 2);
    EXPECT_EQ(r.generator.Items[0].Re, 0.5);
    EXPECT_EQ(r.generator.Items[0].Im, -0.25);
    EXPECT_EQ(r.generator.Items[1].Re, 0.15);

    Reading both;
    EXPECT_THROW(ReadFractText("2\r\n-1\r\n1.000,5\r\n0\r\n", both.Target()), FractFormatError);
    EXPECT_EQ(both.generator.Count, 0);
}

// Written under a point locale, they open in a comma one, and the other way
// round: reading never asks the locale.
TEST(FractFile, EveryExampleOpensWithEitherSeparator)
{
    const QStringList examples = QDir(QStringLiteral(ORNALIX_EXAMPLES)).entryList({QStringLiteral("*.fract")});
    ASSERT_GE(examples.size(), 5);
    for (const QString& name : examples) {
        SCOPED_TRACE(name.toStdString());
        FractModel asShipped(kGeneratorCapacity);
        const FractDocument document = LoadFractDocument(QStringLiteral(ORNALIX_EXAMPLES "/") + name, asShipped);
        ASSERT_GT(asShipped.Count, 0);
        Reading comma;
        ReadFractText(FractFileText(document.Depth, document.Lines, asShipped, ','), comma.Target());
        ASSERT_EQ(comma.generator.Count, asShipped.Count);
        for (int i = 0; i < asShipped.Count; ++i) {
            EXPECT_EQ(comma.generator.Items[i].Re, asShipped.Items[i].Re);
            EXPECT_EQ(comma.generator.Items[i].Im, asShipped.Items[i].Im);
        }
    }
}

TEST(FractFile, AFileTheProgramWritesAlwaysOpens)
{
    constexpr double kMax = std::numeric_limits<double>::max();
    FractModel generator(kGeneratorCapacity);
    generator.Count = 4;
    generator.Items[0].SetTo(kMax, -kMax);
    generator.Items[1].SetTo(std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity());
    generator.Items[2].SetTo(std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::denorm_min());
    generator.Items[3].SetTo(1, 0);
    for (char separator : {'.', ','}) {
        Reading r;
        ASSERT_NO_THROW(ReadFractText(FractFileText(8, true, generator, separator), r.Target())) << separator;
        ASSERT_EQ(r.generator.Count, 4);
        EXPECT_GT(r.generator.Items[0].Re, kMax * (1 - 1e-14));
        EXPECT_EQ(r.generator.Items[1].Re, r.generator.Items[0].Re) << "infinity as the largest double";
        EXPECT_EQ(r.generator.Items[1].Im, -r.generator.Items[0].Re);
        EXPECT_EQ(r.generator.Items[2].Re, 0.0) << "not a number as zero";
        EXPECT_EQ(r.generator.Items[2].Im, std::numeric_limits<double>::denorm_min());
    }
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

TEST(FractFileOnAFullDisk, TheLastFlushIsCheckedAndTheOldFileStays)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("alt.fract"));
    WriteFractFile(path, "old");
    const std::string text = "1\r\n-1\r\n1\r\n0\r\n0.6\r\n-0.8\r\n";

    FailingFile full(path, 10);
    try {
        WriteFractFile(full, text);
        FAIL() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_STREQ(e.what(), "No space left on device");
    }
    EXPECT_TRUE(full.discarded);
    EXPECT_FALSE(full.committed);
    EXPECT_EQ(full.Disk().size(), 10) << "the writes themselves went into the buffer";
    EXPECT_EQ(ReadAll(path), "old");

    FailingFile roomy(path, 1000);
    WriteFractFile(roomy, text);
    EXPECT_TRUE(roomy.committed);
    EXPECT_EQ(ReadAll(path).toStdString(), text);
}

TEST(FractFileOnAFullDisk, ARealFullDiskKeepsTheOldFileAndLeavesNoOther)
{
    SmallDisk disk;
    ORNALIX_NEED_SMALL_DISK(disk);
    disk.Write(QStringLiteral("alt.fract"), "old");
    disk.Fill();
    FractModel generator(kGeneratorCapacity);
    MakeStartGenerator(generator);
    try {
        WriteFractFile(disk.Path(QStringLiteral("alt.fract")), FractFileText(3, true, generator, '.'));
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "No space left on device");
    }
    EXPECT_EQ(disk.Read(QStringLiteral("alt.fract")), "old");
    EXPECT_EQ(disk.Files(), (QStringList{QStringLiteral("alt.fract"), QStringLiteral("filler")}));
}

} // namespace

// The orientation line follows the last edge only when some edge is not
// normal, reads back, and is accepted only whole and last: a file that
// fails on it keeps its edges, every one normal.
TEST(FractFile, OrientationLineIsWrittenReadAndCheckedWhole)
{
    FractModel dragon(10);
    dragon.Count = 2;
    dragon.Items[0].SetTo(0, -1);
    dragon.Items[1].SetTo(0, 1);
    dragon.Orientations[1] = EdgeOrientation::Reversed;
    const std::string edges = "3\r\n-1\r\n0\r\n-1\r\n0\r\n1\r\n";
    EXPECT_EQ(FractFileText(3, true, dragon, '.'), edges + "Lage N U\r\n");
    dragon.Orientations[1] = EdgeOrientation::Normal;
    EXPECT_EQ(FractFileText(3, true, dragon, '.'), edges);

    Reading all;
    ReadFractText(edges + "Lage SU S\n", all.Target());
    ASSERT_EQ(all.generator.Count, 2);
    EXPECT_EQ(all.generator.Orientations[0], EdgeOrientation::MirroredReversed);
    EXPECT_EQ(all.generator.Orientations[1], EdgeOrientation::Mirrored);

    for (const char* bad : {"Lage N", "Lage N U N", "Lage N X", "Lage N US", "Lage  N U", "Lage N U ", "LageN U",
                            "Lage N U\r\n", "Lage N U\r\n1", "Lage N U\r\nLage N U", "Lage\tN U"}) {
        Reading r;
        r.generator.Orientations[0] = EdgeOrientation::Reversed;
        EXPECT_THROW(ReadFractText(edges + bad + "\r\n", r.Target()), FractFormatError) << bad;
        EXPECT_EQ(r.generator.Count, 2) << bad;
        EXPECT_EQ(r.generator.Items[1].Im, 1) << bad;
        EXPECT_FALSE(r.generator.Oriented()) << bad;
    }
}
