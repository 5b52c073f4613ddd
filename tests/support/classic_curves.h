#pragma once

#include "model/complex.h"

#include <QString>

#include <cmath>
#include <map>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

// A turtle's L-system: "+" turns the direction by +angle, "-" by -angle,
// every other symbol draws one unit step. It describes a curve without the
// program's edges and copies, so it is an independent reference for them.
struct LSystem {
    std::string Axiom;
    std::vector<std::pair<char, std::string>> Rules;
    double AngleDegrees;

    // The turtle's points after depth rewritings, from 0 to 1.
    std::vector<Complex> Turtle(int depth) const
    {
        const double angle = AngleDegrees * std::numbers::pi / 180;
        const Complex left(std::cos(angle), std::sin(angle));
        const Complex right(std::cos(angle), -std::sin(angle));
        std::vector<Complex> points{Complex(0, 0)};
        Complex direction(1, 0);
        for (const char symbol : Rewritten(depth)) {
            if (symbol == '+')
                direction.Mul(left);
            else if (symbol == '-')
                direction.Mul(right);
            else
                points.push_back(Plus(points.back(), direction));
        }
        return FromZeroToOne(points);
    }

    std::string Rewritten(int depth) const
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
        return word;
    }

    // Points moved and turned so that the first is 0 and the last 1.
    static std::vector<Complex> FromZeroToOne(std::vector<Complex> points)
    {
        const Complex start = points.front();
        const Complex chord = Minus(points.back(), start);
        for (Complex& p : points)
            p = Over(Minus(p, start), chord);
        return points;
    }
};

// The gallery's curves that a turtle draws, by file name; the last three
// have oriented copies.
inline const std::map<QString, LSystem>& GalleryLSystems()
{
    static const std::map<QString, LSystem> curves{
        {QStringLiteral("Koch-Kurve"), {"F", {{'F', "F-F++F-F"}}, 60}},
        {QStringLiteral("Quadratische Koch-Kurve"), {"F", {{'F', "F-F+F+F-F"}}, 90}},
        {QStringLiteral("Minkowski-Wurst"), {"F", {{'F', "F-F+F+FF-F-F+F"}}, 90}},
        {QStringLiteral("Cesàro-Kurve"), {"F", {{'F', "F-F++F-F"}}, 85}},
        {QStringLiteral("Lévy-C-Kurve"), {"F", {{'F', "-F++F-"}}, 45}},
        {QStringLiteral("Terdrache"), {"F", {{'F', "F-F+F"}}, 120}},
        {QStringLiteral("Heighway-Drache"), {"F", {{'F', "F+G+"}, {'G', "-F-G"}}, 90}},
        {QStringLiteral("Sierpiński-Pfeilspitze"), {"A", {{'A', "B-A-B"}, {'B', "A+B+A"}}, 60}},
        {QStringLiteral("Gosper-Kurve"), {"A", {{'A', "A-B--B+A++AA+B-"}, {'B', "+A-BB--B-A++A+B"}}, 60}},
    };
    return curves;
}
