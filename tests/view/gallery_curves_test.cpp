#include "model/fract_file.h"
#include "tests/support/classic_curves.h"
#include "view/fract_viewer.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <map>
#include <numbers>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Every curve of the gallery, expanded at the depth its file holds, against
// a description that does not go through the program's edges: a turtle's
// L-system, Pólya's halving of a right triangle, Hilbert's order of the
// cells of a square, or the substitution of the generator's nodes written
// in the frame of its chord. Each is compared as a point set running from
// 0 to 1, and each file holds exactly what the program would write.

namespace {

using Point = std::complex<double>;
using Points = std::vector<Point>;

const QString kGallery = QStringLiteral(ORNALIX_EXAMPLES "/gallery");

Points RunningFromZeroToOne(Points points)
{
    const Point end = points.back();
    for (Point& p : points)
        p /= end;
    return points;
}

Points FromComplex(const std::vector<Complex>& points)
{
    Points converted;
    for (const Complex& p : points)
        converted.emplace_back(p.Re, p.Im);
    return converted;
}

// Every symbol but + and - draws a unit step; + turns by e^(i angle).
Points Turtle(const char* axiom, std::vector<std::pair<char, std::string>> rules, double degrees, int depth)
{
    return FromComplex(ClassicCurve{"", {}, {}, axiom, std::move(rules), degrees}.Turtle(depth));
}

Points Classic(const char* name, int depth)
{
    for (const ClassicCurve& curve : ClassicCurves())
        if (std::string_view(curve.Name) == name)
            return FromComplex(curve.Turtle(depth));
    ADD_FAILURE() << name;
    return {};
}

// Pólya: the sweep of the triangle with the right angle at c runs from a to
// c through the half at a, then from c to b, each half split at the foot of
// the altitude from c.
Points TriangleSweep(Point a, Point b, Point c, int depth)
{
    if (depth == 0)
        return {a, b};
    const Point foot = a + (b - a) * std::real((c - a) / (b - a));
    Points points = TriangleSweep(a, c, foot, depth - 1);
    const Points second = TriangleSweep(c, b, foot, depth - 1);
    points.insert(points.end(), second.begin() + 1, second.end());
    return points;
}

// The copy on an edge from p to q is p + (q - p) phi(z) for z on the curve,
// phi(z) = z, conj z, 1 - z or 1 - conj z; a reversed copy is walked from
// its far end.
Points Substitution(const Points& nodes, const std::vector<std::string>& orientations, int depth)
{
    Points curve{0, 1};
    for (int level = 0; level < depth; ++level) {
        Points next{0};
        for (std::size_t k = 0; k + 1 < nodes.size(); ++k) {
            const bool mirrored = orientations[k].find('S') != std::string::npos;
            const bool reversed = orientations[k].find('U') != std::string::npos;
            Points copy;
            for (Point z : curve) {
                const Point phi = (reversed ? 1.0 : 0.0) + (reversed ? -1.0 : 1.0) * (mirrored ? std::conj(z) : z);
                copy.push_back(nodes[k] + (nodes[k + 1] - nodes[k]) * phi);
            }
            if (reversed)
                std::reverse(copy.begin(), copy.end());
            next.insert(next.end(), copy.begin() + 1, copy.end());
        }
        curve = std::move(next);
    }
    return RunningFromZeroToOne(curve);
}

Points ChordFrame(Points nodes)
{
    return RunningFromZeroToOne(std::move(nodes));
}

struct Expansion {
    Points Curve;
    int Depth = 0;
    // The file as the program would write it.
    std::string Written;
};

Expansion Expand(const QString& name)
{
    FractModel generator(kGeneratorCapacity);
    const FractDocument document = LoadFractDocument(kGallery + QLatin1Char('/') + name, generator);
    FractViewer viewer(generator, kCurveCapacity);
    viewer.Depth = document.Depth;
    viewer.Recalculate();
    Points points;
    for (int i = 0; i < viewer.PointCount; ++i)
        points.emplace_back(viewer.Points[i].Re, viewer.Points[i].Im);
    return {RunningFromZeroToOne(points), document.Depth,
            FractFileText(document.Depth, document.Lines, generator, '.')};
}

double Distance(const Points& a, const Points& b)
{
    double most = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        most = std::max(most, std::abs(a[i] - b[i]));
    return most;
}

using Reference = std::function<Points(int depth)>;

const std::map<QString, Reference>& References()
{
    const double a = std::numbers::pi / 6;
    static const std::map<QString, Reference> references{
        {"Koch-Kurve", [](int d) { return Turtle("F", {{'F', "F-F++F-F"}}, 60, d); }},
        {"Quadratische Koch-Kurve", [](int d) { return Turtle("F", {{'F', "F-F+F+F-F"}}, 90, d); }},
        {"Minkowski-Wurst", [](int d) { return Turtle("F", {{'F', "F-F+F+FF-F-F+F"}}, 90, d); }},
        {"Cesàro-Kurve", [](int d) { return Turtle("F", {{'F', "F-F++F-F"}}, 85, d); }},
        {"Lévy-C-Kurve", [](int d) { return Turtle("F", {{'F', "-F++F-"}}, 45, d); }},
        {"Heighway-Drache", [](int d) { return Classic("Heighway dragon", d); }},
        {"Sierpiński-Pfeilspitze", [](int d) { return Classic("Sierpinski arrowhead", d); }},
        {"Gosper-Kurve", [](int d) { return Classic("Gosper flowsnake", d); }},
        {"Terdrache", [](int d) { return Turtle("F", {{'F', "F-F+F"}}, 120, d); }},
        {"Pólya-Kurve", [a](int d) { return TriangleSweep(0, 1, std::cos(a) * std::polar(1.0, -a), d); }},
        {"Peano-Cesàro-Kurve", [](int d) { return TriangleSweep(0, 1, {0.5, -0.5}, d); }},
        {"Hilbert-Kurve",
         [](int d) { return Substitution({0, {0, -0.5}, {0.5, -0.5}, {1, -0.5}, 1}, {"S", "N", "N", "S"}, d); }},
        {"Fünferdrache",
         [](int d) { return Substitution(ChordFrame({0, {0, -1}, {1, -1}, 1, 2, {2, -1}}), {"N", "N", "N", "N", "N"}, d); }},
        {"Wurzel-5-Mäander",
         [](int d) {
             return Substitution(ChordFrame({0, {0, -1}, {1, -1}, {1, -2}, {2, -2}, {2, -1}}),
                                 {"N", "U", "N", "U", "N"}, d);
         }},
    };
    return references;
}

TEST(GalleryCurves, EachIsTheCurveItIsNamedAfter)
{
    const QStringList files = QDir(kGallery).entryList({QStringLiteral("*.fract")}, QDir::Files);
    ASSERT_GE(files.size(), 14);
    for (const QString& file : files) {
        const QString name = file.chopped(6);
        ASSERT_TRUE(References().contains(name)) << qPrintable(name) << " has no reference";
        const Expansion expansion = Expand(file);
        const Points reference = References().at(name)(expansion.Depth);
        ASSERT_EQ(expansion.Curve.size(), reference.size()) << qPrintable(name);
        EXPECT_LT(Distance(expansion.Curve, reference), 1e-9) << qPrintable(name);
        QFile stored(kGallery + QLatin1Char('/') + file);
        ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
        EXPECT_EQ(stored.readAll().toStdString(), expansion.Written) << qPrintable(name);
    }
}

// Hilbert's curve runs through the cells of a square in his order; the
// k-th edge at depth d is a side of the k-th cell of the 2^d by 2^d grid
// (the classic index-to-cell walk, the square above its chord).
TEST(GalleryCurves, HilbertsEdgesRunAlongHisCellsInOrder)
{
    const Expansion hilbert = Expand(QStringLiteral("Hilbert-Kurve.fract"));
    const int n = 1 << hilbert.Depth;
    for (int k = 0; k < n * n; ++k) {
        int x = 0, y = 0;
        for (int s = 1, t = k; s < n; s *= 2, t /= 4) {
            const int rx = 1 & (t / 2), ry = 1 & (t ^ rx);
            if (ry == 0) {
                if (rx == 1) {
                    x = s - 1 - x;
                    y = s - 1 - y;
                }
                std::swap(x, y);
            }
            x += s * rx;
            y += s * ry;
        }
        for (const Point& p : {hilbert.Curve[k], hilbert.Curve[k + 1]}) {
            const Point corner = p * double(n) - Point(x, -y);
            const double cx = std::round(corner.real()), cy = std::round(corner.imag());
            EXPECT_LT(std::abs(corner - Point(cx, cy)), 1e-9) << k;
            EXPECT_TRUE((cx == 0 || cx == 1) && (cy == 0 || cy == -1)) << "edge " << k << " leaves cell " << x << "," << y;
        }
    }
}

} // namespace
