#include "model/fract_model.h"

#include "model/number_text.h"
#include "model/random_source.h"
#include "model/text_lines.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

FractModel::FractModel(int capacity) : Items(static_cast<std::size_t>(std::max(capacity, 0)))
{
    AddEdge();
}

void FractModel::AddEdge()
{
    if (Count < Capacity() - 2) {
        Items[Count].SetTo(1, 0);
        ++Count;
    }
}

void FractModel::DeleteEdge()
{
    if (Count > 1) {
        --Count;
        Items[Count - 1].MulReal(std::sqrt(Items[Count].SqrAbs()));
    }
}

namespace {

double ReadNumberLine(TextLineReader& reader)
{
    const auto value = ParseFileNumber(reader.ReadLine());
    if (!value)
        throw FractFormatError("bad number");
    return *value;
}

// The files hold finite numbers only.
double Writable(double value)
{
    if (std::isnan(value))
        return 0.0;
    return std::clamp(value, std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max());
}

} // namespace

void FractModel::LoadFromText(TextLineReader& reader)
{
    Count = 0;
    while (!reader.AtEnd()) {
        if (Count == Capacity())
            throw FractFormatError("more edges than the generator holds");
        Items[Count].Re = ReadNumberLine(reader);
        Items[Count].Im = ReadNumberLine(reader);
        ++Count;
    }
}

void FractModel::SaveToText(std::string& out, char separator) const
{
    for (int k = 0; k < Count; ++k) {
        out += FormatNumber(Writable(Items[k].Re), separator) + "\r\n";
        out += FormatNumber(Writable(Items[k].Im), separator) + "\r\n";
    }
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
