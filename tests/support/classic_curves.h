#pragma once

#include "model/complex.h"
#include "model/edge_orientation.h"
#include "model/fract_model.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

// Three curves of the tradition with oriented edges, each with the turtle
// L-system that draws it: "+" turns the direction by +angle, "-" by -angle,
// every other symbol draws one unit step.
struct ClassicCurve {
    const char* Name;
    // The nodes on the chord from 0 to 1.
    std::vector<Complex> Nodes;
    std::vector<EdgeOrientation> Orientations;
    std::string Axiom;
    std::vector<std::pair<char, std::string>> Rules;
    double AngleDegrees;

    // Stored as the program keeps a generator: turned and scaled so that
    // its last absolute edge is (1, 0).
    FractModel Generator() const
    {
        FractModel generator(kGeneratorCapacity);
        const int n = static_cast<int>(Nodes.size()) - 1;
        generator.Count = n;
        Complex last = Nodes[n];
        last.Sub(Nodes[n - 1]);
        Complex before(1, 0);
        for (int k = 0; k < n; ++k) {
            Complex edge = Nodes[k + 1];
            edge.Sub(Nodes[k]);
            edge.Div(last);
            Complex item = edge;
            item.Div(before);
            generator.Items[k] = item;
            generator.Orientations[k] = Orientations[k];
            before = edge;
        }
        return generator;
    }

    // The turtle's points after depth rewritings, from 0 to 1.
    std::vector<Complex> Turtle(int depth) const
    {
        std::string word = Axiom;
        for (int d = 0; d < depth; ++d) {
            std::string next;
            for (const char symbol : word) {
                std::string replacement(1, symbol);
                for (const auto& [from, to] : Rules)
                    if (from == symbol)
                        replacement = to;
                next += replacement;
            }
            word = next;
        }
        const double angle = AngleDegrees * std::numbers::pi / 180;
        const Complex left(std::cos(angle), std::sin(angle));
        const Complex right(std::cos(angle), -std::sin(angle));
        std::vector<Complex> points{Complex(0, 0)};
        Complex direction(1, 0);
        for (const char symbol : word) {
            if (symbol == '+') {
                direction.Mul(left);
            } else if (symbol == '-') {
                direction.Mul(right);
            } else {
                Complex p = points.back();
                p.Add(direction);
                points.push_back(p);
            }
        }
        return FromZeroToOne(points);
    }

    // Points moved and turned so that the first is 0 and the last 1.
    static std::vector<Complex> FromZeroToOne(std::vector<Complex> points)
    {
        const Complex start = points.front();
        Complex chord = points.back();
        chord.Sub(start);
        for (Complex& p : points) {
            p.Sub(start);
            p.Div(chord);
        }
        return points;
    }
};

inline std::vector<ClassicCurve> ClassicCurves()
{
    using O = EdgeOrientation;
    const double h = std::sqrt(3.0);
    return {
        {"Heighway dragon", {{0, 0}, {0.5, -0.5}, {1, 0}}, {O::Normal, O::Reversed}, "F",
         {{'F', "F+G+"}, {'G', "-F-G"}}, 90},
        {"Sierpinski arrowhead", {{0, 0}, {0.25, h / 4}, {0.75, h / 4}, {1, 0}},
         {O::Mirrored, O::Normal, O::Mirrored}, "A", {{'A', "B-A-B"}, {'B', "A+B+A"}}, 60},
        {"Gosper flowsnake",
         {{0, 0}, {5.0 / 14, h / 14}, {9.0 / 14, -h / 14}, {2.0 / 7, -h / 7}, {3.0 / 14, -5 * h / 14},
          {4.0 / 7, -2 * h / 7}, {13.0 / 14, -3 * h / 14}, {1, 0}},
         {O::Normal, O::Reversed, O::Reversed, O::Normal, O::Normal, O::Normal, O::Reversed}, "A",
         {{'A', "A-B--B+A++AA+B-"}, {'B', "+A-BB--B-A++A+B"}}, 60},
    };
}
