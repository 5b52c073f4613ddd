#pragma once

#include "view/curve_coloring.h"

#include <QString>
#include <QVariant>

#include <optional>

class QSettings;

// The curve's coloring in the settings store, beside the colours: stored
// only while it is not one colour, so that the store of a user who never
// chose colours holds what it always held. A value that cannot be read as
// its kind, or lies out of range, counts as absent, without a message.
namespace ColoringSettings {
void Read(QSettings& store, CurveColoring& coloring);
void Write(QSettings& store, const CurveColoring& coloring);

// "position:#rrggbb" pairs joined by commas, positions from 0 to 1; as a
// text or as the list a store may hand back. nullopt for anything else, and
// for fewer or more stops than a gradient holds.
std::optional<std::vector<GradientStop>> StopsOf(const QVariant& value);
QString StopsText(const std::vector<GradientStop>& stops);
// Always eight "#rrggbb" joined by commas.
std::optional<std::array<ColorRef, kEdgeColorCount>> EdgeColorsOf(const QVariant& value);
QString EdgeColorsText(const std::array<ColorRef, kEdgeColorCount>& colors);
} // namespace ColoringSettings
