#include "tests/session/session_fixture.h"

#include "model/fract_file.h"

#include <QMimeData>

#include <ostream>

// How the text is read is tested on the reader (fract_file_test); here: what
// the session passes on, and what a paste does to the session and its
// history.

namespace {

// What a session shows of a .fract file's state, in its controls and panes.
struct Shown {
    EdgeList Edges;
    std::vector<EdgeOrientation> Orientations;
    int Depth;
    bool Lines;
    int Points;
    bool operator==(const Shown&) const = default;
    friend void PrintTo(const Shown& shown, std::ostream* out)
    {
        *out << shown.Edges.size() << " edges (";
        for (const auto& [re, im] : shown.Edges)
            *out << " " << re << "," << im;
        *out << " ) lying";
        for (EdgeOrientation o : shown.Orientations)
            *out << " " << OrientationToken(o);
        *out << ", depth " << shown.Depth << (shown.Lines ? ", lines, " : ", points, ") << shown.Points << " points";
    }
};

Shown ShownBy(const FractalSession& session)
{
    EdgeList edges;
    for (int i = 0; i < session.Generator.Count; ++i)
        edges.emplace_back(session.Generator.Items[i].Re, session.Generator.Items[i].Im);
    const auto& orientations = session.Generator.Orientations;
    return {edges, {orientations.begin(), orientations.begin() + session.Generator.Count}, session.Depth(),
            session.Lines(), session.Viewer.PointCount};
}

std::unique_ptr<QMimeData> PlainText(const char* text)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromLatin1(text));
    return data;
}

using GeneratorClipboard = SessionTest;

TEST_F(GeneratorClipboard, ASecondSessionTakesTheGeneratorAsOneStep)
{
    session.Open(QStringLiteral(ORNALIX_EXAMPLES "/gallery/Gosper-Kurve.fract"));
    session.SetDepth(3);
    session.SetLines(false);
    const auto data = session.GeneratorMimeData();
    EXPECT_EQ(data->data(QString::fromLatin1(kFractMimeType)), data->text().toLatin1());

    FractalSession other;
    OffscreenPane otherPane(other, QSize(470, 420));
    other.AddEdge();
    const Shown before = ShownBy(other);
    other.PasteGenerator(*data);
    EXPECT_EQ(ShownBy(other), ShownBy(session));
    EXPECT_EQ(other.Viewer.PointCount, 344) << "7^3 edges: the view was recalculated";

    EXPECT_EQ(other.History().UndoText(), EditSteps::kPasteGenerator);
    other.Undo();
    EXPECT_EQ(ShownBy(other), before);
    EXPECT_EQ(other.History().UndoText(), EditSteps::kAddEdge) << "the paste was one step";
}

// Plain text from anywhere, in either separator; the program's own type
// wins over the text beside it.
TEST_F(GeneratorClipboard, PlainTextPastesAndTheOwnTypeComesFirst)
{
    using O = EdgeOrientation;
    session.PasteGenerator(*PlainText("2\r\n0\r\n1\r\n0\r\n0,5\r\n-0,5\r\n"));
    EXPECT_EQ(ShownBy(session), (Shown{{{1, 0}, {0.5, -0.5}}, {O::Normal, O::Normal}, 2, false, 5}));

    auto both = PlainText("1\r\n-1\r\n1\r\n0\r\n");
    both->setData(QString::fromLatin1(kFractMimeType), "3\r\n-1\r\n0\r\n1\r\nLage SU\r\n");
    session.PasteGenerator(*both);
    EXPECT_EQ(ShownBy(session), (Shown{{{0, 1}}, {O::MirroredReversed}, 3, true, 2}));
}

// Whatever the reader refuses changes nothing: not the generator, not the
// views, not the history, not a running animation.
TEST_F(GeneratorClipboard, RefusedTextChangesNothing)
{
    session.AnimateAngles(true);
    session.SetPaused(false);
    ASSERT_EQ(session.Mode(), modeAnimating);
    const Shown before = ShownBy(session);
    for (const char* text : {"", "Kochkurve", "4\r\n-1\r\n1\r\n0\r\n0,5\r\n", "9\r\n-1\r\n1\r\n0\r\n",
                             "2\r\nja\r\n1\r\n0\r\n", "2\r\n-1\r\n1\r\n0\r\n\r\n",
                             "2\r\n-1\r\n1\r\n0\r\nLage X\r\n"}) {
        EXPECT_THROW(session.PasteGenerator(*PlainText(text)), FractFormatError) << text;
        EXPECT_EQ(ShownBy(session), before) << text;
        EXPECT_FALSE(session.History().CanUndo()) << text;
        EXPECT_EQ(session.Mode(), modeAnimating) << text;
    }
}

} // namespace
