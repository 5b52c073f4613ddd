#include "fract_file.h"
#include "start_generator.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

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
        ReadFractText(std::string(text) + "\r\n-1\r\n", r.Target(), '.');
        EXPECT_EQ(r.depth, depth) << text;
    }
    const std::pair<const char*, bool> modes[] = {{"0", false}, {"True", true}, {"true", true}, {"1", true},
                                                  {"fAlSe", false}, {"-1", true}};
    for (const auto& [text, lines] : modes) {
        Reading r;
        ReadFractText(std::string("2\n") + text + "\n", r.Target(), '.');
        EXPECT_EQ(r.lines, lines) << text;
        EXPECT_EQ(r.generator.Count, 0) << "a header-only file has no edges";
    }
}

TEST(FractFile, BadLinesLeaveThePartialState)
{
    Reading badDepth;
    EXPECT_THROW(ReadFractText("three\n-1\n", badDepth.Target(), '.'), FractFormatError);
    EXPECT_EQ(badDepth.depth, -99);

    Reading badMode;
    EXPECT_THROW(ReadFractText("5\nmaybe\n1\n0\n", badMode.Target(), '.'), FractFormatError);
    EXPECT_EQ(badMode.depth, 5);
    EXPECT_FALSE(badMode.linesSet);

    Reading badEdge;
    EXPECT_THROW(ReadFractText("4\r\n0\r\n1\r\n0\r\n0.6\r\nx\r\n", badEdge.Target(), '.'), FractFormatError);
    EXPECT_EQ(badEdge.depth, 4);
    EXPECT_TRUE(badEdge.linesSet);
    EXPECT_FALSE(badEdge.lines);
    EXPECT_EQ(badEdge.generator.Count, 1);
    EXPECT_EQ(badEdge.generator.Items[1].Re, 0.6);

    Reading empty;
    EXPECT_THROW(ReadFractText("", empty.Target(), '.'), FractFormatError);
}

TEST(FractFile, DepthsTheProgramCannotDrawAreFormatErrors)
{
    for (const char* depth : {"0", "9", "-1", "1000000", "$7FFFFFFF"}) {
        Reading r;
        EXPECT_THROW(ReadFractText(std::string(depth) + "\n-1\n1\n0\n", r.Target(), '.'), FractFormatError) << depth;
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
    const FractDocument document = LoadFractDocument(path, loaded, ',');
    EXPECT_EQ(document.Depth, 3);
    EXPECT_TRUE(document.Lines);
    ASSERT_EQ(loaded.Count, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(loaded.Items[i].Re, generator.Items[i].Re);
        EXPECT_EQ(loaded.Items[i].Im, generator.Items[i].Im);
    }
    EXPECT_THROW(LoadFractDocument(dir.filePath(QStringLiteral("missing.fract")), loaded, ','), FractFormatError);
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
}

} // namespace
