#include "model/fract_model.h"

#include "model/number_text.h"
#include "model/random_source.h"
#include "model/text_lines.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string_view>

FractModel::FractModel(int capacity)
    : Items(static_cast<std::size_t>(std::max(capacity, 0))), Orientations(Items.size(), EdgeOrientation::Normal)
{
    AddEdge();
}

void FractModel::AddEdge()
{
    if (Count < Capacity() - 2) {
        Items[Count].SetTo(1, 0);
        Orientations[Count] = EdgeOrientation::Normal;
        ++Count;
    }
}

void FractModel::DeleteEdge()
{
    if (Count > 1) {
        --Count;
        Items[Count - 1].MulReal(std::sqrt(Items[Count].SqrAbs()));
        Orientations[Count] = EdgeOrientation::Normal;
    }
}

bool FractModel::Oriented() const
{
    return std::any_of(Orientations.begin(), Orientations.begin() + Count,
                       [](EdgeOrientation o) { return o != EdgeOrientation::Normal; });
}

namespace {

// The line after the last edge that names the orientations: the word and
// one token per edge, each after a single space.
constexpr std::string_view kOrientationWord = "Lage";

double ParseNumberLine(const std::string& line)
{
    const auto value = ParseFileNumber(line);
    if (!value)
        throw FractFormatError("bad number");
    return *value;
}

std::vector<EdgeOrientation> ParseOrientationLine(std::string_view line, int count)
{
    std::vector<EdgeOrientation> orientations;
    line.remove_prefix(kOrientationWord.size());
    while (!line.empty()) {
        if (line.front() != ' ')
            throw FractFormatError("bad orientation line");
        line.remove_prefix(1);
        const std::string_view token = line.substr(0, line.find(' '));
        const auto orientation = ParseOrientationToken(token);
        if (!orientation)
            throw FractFormatError("bad orientation");
        orientations.push_back(*orientation);
        line.remove_prefix(token.size());
    }
    if (static_cast<int>(orientations.size()) != count)
        throw FractFormatError("not one orientation per edge");
    return orientations;
}

// The files hold finite numbers only.
double Writable(double value)
{
    if (std::isnan(value))
        return 0.0;
    return std::clamp(value, std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max());
}

} // namespace

// The orientations are taken only from a good orientation line at the very
// end, so that a file that fails anywhere leaves every edge normal.
void FractModel::LoadFromText(TextLineReader& reader)
{
    Count = 0;
    std::fill(Orientations.begin(), Orientations.end(), EdgeOrientation::Normal);
    while (!reader.AtEnd()) {
        const std::string line = reader.ReadLine();
        if (line.starts_with(kOrientationWord)) {
            const std::vector<EdgeOrientation> orientations = ParseOrientationLine(line, Count);
            if (!reader.AtEnd())
                throw FractFormatError("a line after the orientations");
            std::copy(orientations.begin(), orientations.end(), Orientations.begin());
            return;
        }
        if (Count == Capacity())
            throw FractFormatError("more edges than the generator holds");
        Items[Count].Re = ParseNumberLine(line);
        Items[Count].Im = ParseNumberLine(reader.ReadLine());
        ++Count;
    }
}

void FractModel::SaveToText(std::string& out, char separator) const
{
    for (int k = 0; k < Count; ++k) {
        out += FormatNumber(Writable(Items[k].Re), separator) + "\r\n";
        out += FormatNumber(Writable(Items[k].Im), separator) + "\r\n";
    }
    if (!Oriented())
        return;
    out += kOrientationWord;
    for (int k = 0; k < Count; ++k) {
        out += ' ';
        out += OrientationToken(Orientations[k]);
    }
    out += "\r\n";
}

void FractModel::TurnLastEdgeToAxis()
{
    if (Count == 0)
        return;
    Complex direction(1, 0);
    for (int i = 0; i < Count; ++i)
        direction.Mul(Items[i]);
    const double length = std::hypot(direction.Re, direction.Im);
    if (length == 0.0 || !std::isfinite(length))
        return;
    direction.DivReal(length);
    Items[Count - 1].Div(direction);
}

void FractModel::RandomGenerator(int n, double minLength, double maxLength, RandomSource& random)
{
    Count = std::clamp(n, 0, Capacity());
    std::fill(Orientations.begin(), Orientations.end(), EdgeOrientation::Normal);
    double c = 1.0;
    for (int i = 0; i < Count; ++i) {
        const double a = random.Next() * std::numbers::pi * 2;
        const double r = random.Next();
        const double length = minLength + r * (maxLength - minLength);
        const double f = length / c;
        Items[i].SetTo(std::cos(a), std::sin(a));
        Items[i].MulReal(f);
        c = c * f;
    }
    if (Count > 0)
        Items[Count - 1].DivReal(c);
}
