#include "model/start_generator.h"
#include "view/fract_editor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// The absolute edges of a generator.
std::vector<Complex> Edges(const FractModel& model)
{
    std::vector<Complex> edges;
    Complex e(1, 0);
    for (int i = 0; i < model.Count; ++i) {
        e.Mul(model.Items[i]);
        edges.push_back(e);
    }
    return edges;
}

double AngleDegrees(const Complex& z)
{
    return std::atan2(z.Im, z.Re) / kDegree;
}

double Length(const Complex& z)
{
    return std::sqrt(z.SqrAbs());
}

class Editing : public ::testing::Test {
protected:
    Editing()
    {
        MakeStartGenerator(generator);
        Layout();
    }

    // Fits the generator into a 200 x 200 pane with the node margin.
    void Layout()
    {
        editor.Recalculate();
        editor.SetRect({5, 5, 195, 195});
        editor.TargetRect = {0, 0, 200, 200};
        editor.Transform();
    }

    FractModel generator{10};
    FractEditor editor{generator, 12};
};

TEST_F(Editing, HitTestPicksTheHighestNodeStrictlyInside)
{
    const Complex node2 = editor.Points[2];
    editor.HitTest(static_cast<int>(node2.Re), static_cast<int>(node2.Im));
    EXPECT_EQ(editor.PickedNode, 2);

    // Two nodes under the mouse: the higher one wins.
    editor.Points[3].Assign(editor.Points[2]);
    editor.HitTest(static_cast<int>(node2.Re), static_cast<int>(node2.Im));
    EXPECT_EQ(editor.PickedNode, 3);

    // Exactly NodeRadius away does not pick; node 0 is never picked.
    editor.Points[1].SetTo(50, 50);
    editor.HitTest(55, 50);
    EXPECT_EQ(editor.PickedNode, 0);
    editor.HitTest(54, 50);
    EXPECT_EQ(editor.PickedNode, 1);
    editor.HitTest(static_cast<int>(editor.Points[0].Re), static_cast<int>(editor.Points[0].Im));
    EXPECT_EQ(editor.PickedNode, 0) << "node 0 is never picked";
}

TEST_F(Editing, DraggingAnInnerNodeCarriesTheRestRigidly)
{
    const std::vector<Complex> before(editor.Points.begin(), editor.Points.begin() + 5);
    editor.PickedNode = 2;
    const int x = static_cast<int>(before[2].Re) + 7, y = static_cast<int>(before[2].Im) + 11;
    editor.DragTo(x, y);
    EXPECT_NEAR(editor.Points[2].Re, x, 1e-9);
    EXPECT_NEAR(editor.Points[2].Im, y, 1e-9);
    for (int k = 3; k <= 4; ++k) {
        EXPECT_NEAR(editor.Points[k].Re - before[k].Re, x - before[2].Re, 1e-9);
        EXPECT_NEAR(editor.Points[k].Im - before[k].Im, y - before[2].Im, 1e-9);
    }
    EXPECT_NEAR(editor.Points[1].Re, before[1].Re, 1e-9);
}

TEST_F(Editing, DraggingTheLastNodeOnlyTurnsTheLastEdge)
{
    const Complex pivot = editor.Points[3];
    const double radius = Length(Complex(editor.Points[4].Re - pivot.Re, editor.Points[4].Im - pivot.Im));
    editor.PickedNode = 4;
    editor.DragTo(static_cast<int>(pivot.Re), static_cast<int>(pivot.Im) + 60);
    const Complex end = editor.Points[4];
    EXPECT_NEAR(Length(Complex(end.Re - pivot.Re, end.Im - pivot.Im)), radius, 1e-9);
    EXPECT_NEAR(end.Re, static_cast<int>(pivot.Re), 1) << "on the mouse's direction";
    EXPECT_GT(end.Im, pivot.Im);
    EXPECT_NEAR(Length(Edges(generator)[3]), 1, 1e-12);
}

TEST_F(Editing, AMoveOntoThePreviousNodeChangesNothing)
{
    editor.PickedNode = 2;
    const Complex before = generator.Items[1];
    const Complex pivot = editor.Points[1];
    editor.Points[2].Assign(pivot); // an edge of no length
    editor.DragTo(static_cast<int>(pivot.Re), static_cast<int>(pivot.Im));
    EXPECT_EQ(generator.Items[1].Re, before.Re);
    EXPECT_EQ(generator.Items[1].Im, before.Im);
    editor.PickedNode = 0;
    editor.DragTo(10, 10);
    EXPECT_EQ(generator.Items[1].Re, before.Re);
}

TEST_F(Editing, AngleRasterSnapsDirectionsAndKeepsLengths)
{
    editor.AngRaster = 6;
    editor.SnapToRaster();
    const double six[] = {0, -60, 60, 0};
    auto edges = Edges(generator);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(AngleDegrees(edges[i]), six[i], 1e-9) << i;
        EXPECT_NEAR(Length(edges[i]), 1, 1e-12);
    }

    MakeStartGenerator(generator);
    editor.AngRaster = 4;
    editor.SnapToRaster();
    const double four[] = {0, -90, 0, -90};
    edges = Edges(generator);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(AngleDegrees(edges[i]), four[i], 1e-9) << i;
}

TEST_F(Editing, HalfTurnRasterAndNoRaster)
{
    generator.Count = 3;
    generator.Items[0].SetTo(0.3, 0.2);
    generator.Items[1].SetTo(-0.5, 0.1);
    generator.Items[2].SetTo(1, 0);
    editor.AngRaster = 2;
    editor.SnapToRaster();
    EXPECT_NEAR(generator.Items[0].Im, 0, 1e-12);
    EXPECT_GT(generator.Items[0].Re, 0);
    EXPECT_NEAR(generator.Items[1].Im, 0, 1e-12);
    EXPECT_LT(generator.Items[1].Re, 0);
    EXPECT_NEAR(generator.Items[2].Re, 1, 1e-12);

    MakeStartGenerator(generator);
    editor.AngRaster = 1;
    editor.LenRaster = 0;
    editor.SnapToRaster();
    EXPECT_EQ(generator.Items[1].Re, 0.6);
    EXPECT_EQ(generator.Items[1].Im, -0.8);
}

TEST_F(Editing, LengthRasterRoundsHalvesToEvenAndEndsAtOne)
{
    const double lengths[] = {1.3, 0.2, 1.25, 1.75, 0.7};
    generator.Count = 5;
    double previous = 1;
    for (int i = 0; i < 5; ++i) {
        generator.Items[i].SetTo(lengths[i] / previous, 0);
        previous = lengths[i];
    }
    editor.LenRaster = 2;
    editor.SnapToRaster();
    const double snapped[] = {1.5, 0.5, 1.0, 2.0, 1.0};
    const auto edges = Edges(generator);
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(Length(edges[i]), snapped[i], 1e-12) << i;

    generator.Count = 1;
    generator.Items[0].SetTo(2.5, 0);
    editor.SnapToRaster();
    EXPECT_NEAR(generator.Items[0].Re, 1, 1e-12);
}

TEST(EditorCapacity, NineEdgesShowAndPickEveryNode)
{
    FractModel generator(10);
    generator.Count = 9;
    for (int i = 0; i < 9; ++i)
        generator.Items[i].SetTo(1, 0);
    FractEditor editor(generator, 12);
    editor.Recalculate();
    editor.SetRect({0, 0, 100, 100});
    editor.Transform();
    EXPECT_EQ(editor.PointCount, 10);
    editor.HitTest(static_cast<int>(editor.Points[9].Re), static_cast<int>(editor.Points[9].Im));
    EXPECT_EQ(editor.PickedNode, 9);
}

} // namespace
