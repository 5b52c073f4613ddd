#include "tests/session/session_fixture.h"

#include "model/fract_file.h"
#include "tests/support/tool_runner.h"

#include <QSet>
#include <QTemporaryDir>

#include <cmath>
#include <optional>

// How the lines of a file are read is tested on the reader (fract_file_test);
// here: what the session does with a file, good or bad.

namespace {

const QString kKoch = QStringLiteral(ORNALIX_EXAMPLES "/koch.fract");

class SessionFiles : public SessionTest {
protected:
    QString Write(const QString& name, const QByteArray& bytes) const
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(SessionFiles, OpenTakesDepthModeAndEdgesIntoBothPanes)
{
    session.Open(kKoch);
    EXPECT_EQ(session.Depth(), 5);
    EXPECT_TRUE(session.Lines());
    EXPECT_EQ(session.Generator.Count, 4);
    EXPECT_NEAR(session.Generator.Items[1].Re, 0.5, 1e-15);
    EXPECT_NEAR(session.Generator.Items[1].Im, -0.866025403784439, 1e-15);
    EXPECT_EQ(session.Viewer.PointCount, 1025) << "4^5 edges";
    EXPECT_EQ(session.Editor.PointCount, 5);

    session.Open(Write(QStringLiteral("points.fract"), "$2\r\n0\r\n1\r\n0\r\n0\r\n1\r\n"));
    EXPECT_FALSE(session.Lines());
    EXPECT_EQ(session.Depth(), 2);
    EXPECT_EQ(Edges(), (EdgeList{{1, 0}, {0, 1}}));
}

TEST_F(SessionFiles, OpenStopsARunningAnimationFirstEvenForABadFile)
{
    for (const QString& path : {kKoch, Write(QStringLiteral("bad.fract"), "nonsense\r\n")}) {
        session.AnimateAngles(true);
        session.SetPaused(false);
        ASSERT_EQ(session.Mode(), modeAnimating);
        try {
            session.Open(path);
        } catch (const FractFormatError&) {
        }
        EXPECT_EQ(session.Mode(), modeIdle);
        EXPECT_FALSE(session.Timer().isActive());
    }
}

// A bad file keeps what was read before the bad line: the depth, then the
// display mode, then the edges; the curve is not expanded anew, so the pane
// shows the new depth or mode of the old edges. Each file is opened over
// koch.fract at depth 5 in points.
TEST_F(SessionFiles, ABadLineKeepsWhatWasReadBeforeIt)
{
    session.Open(kKoch);
    const EdgeList koch = Edges();
    const struct {
        const char* name;
        QByteArray text;
        int depth;
        bool lines;
        std::optional<EdgeList> edges; // none: koch's
        bool samePicture;
    } rows[] = {
        {"depth beyond 8", "9\r\n-1\r\n1\r\n0\r\n", 5, false, {}, true},
        {"mode", "4\r\nvielleicht\r\n1\r\n0\r\n", 4, false, {}, false},
        {"edge", "5\r\n0\r\n0.5\r\n0.5\r\n0.25\r\nviel\r\n1\r\n0\r\n", 5, false, EdgeList{{0.5, 0.5}}, true},
        {"half an edge", "5\r\n-1\r\n1\r\n", 5, true, EdgeList{}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        session.Open(kKoch);
        session.SetLines(false);
        const QImage before = Picture();
        const std::vector<Complex> editor(session.Editor.Points.begin(), session.Editor.Points.begin() + 5);
        EXPECT_THROW(session.Open(Write(QStringLiteral("bad.fract"), row.text)), FractFormatError);
        EXPECT_EQ(session.Depth(), row.depth);
        EXPECT_EQ(session.Lines(), row.lines);
        EXPECT_EQ(Edges(), row.edges.value_or(koch));
        EXPECT_EQ(Picture() == before, row.samePicture);
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(session.Editor.Points[k].Re, editor[k].Re) << "the editor shows the old generator";
    }
}

TEST_F(SessionFiles, TenEdgesFitBothPanes)
{
    QByteArray ten("2\r\n-1\r\n");
    for (int i = 0; i < 10; ++i)
        ten += "1\r\n0\r\n";
    session.Open(Write(QStringLiteral("ten.fract"), ten));
    EXPECT_EQ(session.Generator.Count, 10);
    EXPECT_EQ(session.Editor.PointCount, 11);
}

TEST_F(SessionFiles, WhatSaveWroteOpensAsItWas)
{
    session.Open(QStringLiteral(ORNALIX_EXAMPLES "/minkowski.fract"));
    session.SetLines(false);
    session.SetDepth(2);
    const EdgeList edges = Edges();
    const QImage picture = Picture();
    const QString path = dir.filePath(QStringLiteral("round.fract"));
    session.Save(path);

    session.New();
    session.SetDepth(6);
    session.SetLines(true);
    session.Open(path);
    EXPECT_EQ(session.Depth(), 2);
    EXPECT_FALSE(session.Lines());
    EXPECT_EQ(Edges(), edges);
    EXPECT_EQ(Picture(), picture);
}

TEST_F(SessionFiles, NewDrawsFromTheMinimumUpToBelowTheMaximum)
{
    struct Row {
        int minNodes, maxNodes, lowest, highest;
    };
    for (const Row& row : {Row{3, 10, 3, 9}, Row{4, 4, 4, 4}, Row{7, 4, 4, 6}, Row{5, 6, 5, 5}}) {
        SCOPED_TRACE(testing::Message() << row.minNodes << ".." << row.maxNodes);
        session.MinNodes = row.minNodes;
        session.MaxNodes = row.maxNodes;
        QSet<int> counts, expected;
        for (int seed = 0; seed < 300; ++seed) {
            RandomSource::Instance().Seed(static_cast<std::uint64_t>(seed));
            session.New();
            counts.insert(session.Generator.Count);
        }
        for (int n = row.lowest; n <= row.highest; ++n)
            expected.insert(n);
        EXPECT_EQ(counts, expected);
    }
}

// With the endless view on, "Neu" draws until the endless view can show the
// generator, at most twenty times; off, it draws once as it always did.
TEST_F(SessionFiles, NewDrawsForTheEndlessViewOnlyWhenItIsOn)
{
    const auto lastEdge = [this] {
        Complex direction(1, 0);
        for (int i = 0; i < session.Generator.Count; ++i)
            direction.Mul(session.Generator.Items[i]);
        return direction;
    };
    session.SetEndlessZoom(true);
    for (int seed = 0; seed < 8; ++seed) {
        RandomSource::Instance().Seed(static_cast<std::uint64_t>(seed));
        session.New();
        EXPECT_TRUE(session.EndlessShown()) << seed;
        EXPECT_NEAR(lastEdge().Re, 1.0, 1e-12) << seed;
        EXPECT_NEAR(lastEdge().Im, 0.0, 1e-12) << seed;
    }
    // One edge is its own chord: the twentieth draw stays.
    session.MinNodes = session.MaxNodes = 1;
    RandomSource::Instance().Seed(7);
    session.New();
    EXPECT_EQ(session.Endless().Curve().Check(), LimitCurve::Verdict::EdgesNotShorter);
    FractModel expected(session.Generator.Capacity());
    const auto expectedEdges = [&expected] {
        EdgeList edges;
        for (int i = 0; i < expected.Count; ++i)
            edges.emplace_back(expected.Items[i].Re, expected.Items[i].Im);
        return edges;
    };
    RandomSource::Instance().Seed(7);
    const int n = session.MinNodes + RandomSource::Instance().NextInt(session.MaxNodes - session.MinNodes);
    for (int draw = 0; draw < 20; ++draw)
        expected.RandomGenerator(n, session.MinLength, session.MaxLength, RandomSource::Instance());
    expected.TurnLastEdgeToAxis();
    EXPECT_EQ(Edges(), expectedEdges());

    session.SetEndlessZoom(false);
    RandomSource::Instance().Seed(7);
    session.New();
    RandomSource::Instance().Seed(7);
    (void)RandomSource::Instance().NextInt(session.MaxNodes - session.MinNodes);
    expected.RandomGenerator(n, session.MinLength, session.MaxLength, RandomSource::Instance());
    EXPECT_EQ(Edges(), expectedEdges());
}

TEST_F(SessionFiles, NewKeepsDepthAndDisplayModeAndStopsTheAnimation)
{
    session.Open(kKoch);
    session.SetLines(false);
    session.AnimateAngles(true);
    session.MinNodes = session.MaxNodes = 7;
    session.New();
    EXPECT_EQ(session.Mode(), modeIdle);
    EXPECT_FALSE(session.Timer().isActive());
    EXPECT_EQ(session.Depth(), 5);
    EXPECT_FALSE(session.Lines());
    ASSERT_EQ(session.Generator.Count, 7);
    EXPECT_EQ(session.Editor.PointCount, 8) << "the editor shows it";
    // Every edge but the last has a length within the range.
    double product = 1.0;
    for (int i = 0; i + 1 < session.Generator.Count; ++i) {
        product *= std::sqrt(session.Generator.Items[i].SqrAbs());
        EXPECT_GE(product, session.MinLength - 1e-12);
        EXPECT_LE(product, session.MaxLength + 1e-12);
    }
}

} // namespace
