#include "app/coloring_settings.h"

#include <QColor>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>

#include <algorithm>

namespace {

// A comma-joined value as its parts, whether the store hands back the text
// or has split it into a list already.
std::optional<QStringList> PartsOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList();
    if (value.typeId() == QMetaType::QString)
        return value.toString().split(QLatin1Char(','));
    return std::nullopt;
}

std::optional<ColorRef> ColorOf(const QString& text)
{
    static const QRegularExpression hex(QStringLiteral("^#[0-9a-fA-F]{6}$"));
    const QString trimmed = text.trimmed();
    if (!hex.match(trimmed).hasMatch())
        return std::nullopt;
    return FromQColor(QColor::fromString(trimmed));
}

QString ColorText(ColorRef color)
{
    return ToQColor(color).name(QColor::HexRgb);
}

std::optional<int> WholeIn(const QVariant& value, int least, int most)
{
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    if (!ok || number < least || number > most)
        return std::nullopt;
    return number;
}

const char* const kModes[] = {"", "gradient", "edges"};

} // namespace

namespace ColoringSettings {

std::optional<std::vector<GradientStop>> StopsOf(const QVariant& value)
{
    const auto parts = PartsOf(value);
    if (!parts || parts->size() < kMinGradientStops || parts->size() > kMaxGradientStops)
        return std::nullopt;
    std::vector<GradientStop> stops;
    for (const QString& part : *parts) {
        const qsizetype colon = part.indexOf(QLatin1Char(':'));
        bool ok = false;
        const double position = part.left(colon).trimmed().toDouble(&ok);
        const auto color = ColorOf(part.mid(colon + 1));
        if (colon < 0 || !ok || !(position >= 0.0 && position <= 1.0) || !color)
            return std::nullopt;
        stops.push_back({position, *color});
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const GradientStop& a, const GradientStop& b) { return a.Position < b.Position; });
    return stops;
}

QString StopsText(const std::vector<GradientStop>& stops)
{
    QStringList parts;
    for (const GradientStop& stop : stops)
        parts << QString::number(stop.Position) + QLatin1Char(':') + ColorText(stop.Color);
    return parts.join(QLatin1Char(','));
}

std::optional<std::array<ColorRef, kEdgeColorCount>> EdgeColorsOf(const QVariant& value)
{
    const auto parts = PartsOf(value);
    if (!parts || parts->size() != kEdgeColorCount)
        return std::nullopt;
    std::array<ColorRef, kEdgeColorCount> colors{};
    for (int i = 0; i < kEdgeColorCount; ++i) {
        const auto color = ColorOf(parts->at(i));
        if (!color)
            return std::nullopt;
        colors[static_cast<std::size_t>(i)] = *color;
    }
    return colors;
}

QString EdgeColorsText(const std::array<ColorRef, kEdgeColorCount>& colors)
{
    QStringList parts;
    for (const ColorRef color : colors)
        parts << ColorText(color);
    return parts.join(QLatin1Char(','));
}

void Read(QSettings& store, CurveColoring& coloring)
{
    const QString mode = store.value(QStringLiteral("coloring")).toString().trimmed();
    if (mode == QLatin1String(kModes[1]))
        coloring.Kind = CurveColoring::Mode::Gradient;
    else if (mode == QLatin1String(kModes[2]))
        coloring.Kind = CurveColoring::Mode::Edges;
    if (const auto stops = StopsOf(store.value(QStringLiteral("gradientStops"))))
        coloring.Stops = *stops;
    if (const auto repeats = WholeIn(store.value(QStringLiteral("gradientRepeats")), 1, kMaxGradientRepeats))
        coloring.Repeats = *repeats;
    if (const auto colors = EdgeColorsOf(store.value(QStringLiteral("edgeColors"))))
        coloring.EdgeColors = *colors;
    if (const auto level = WholeIn(store.value(QStringLiteral("edgeLevel")), 1, kMaxEdgeLevel))
        coloring.EdgeLevel = *level;
}

void Write(QSettings& store, const CurveColoring& coloring)
{
    const QStringList names{QStringLiteral("coloring"), QStringLiteral("gradientStops"),
                            QStringLiteral("gradientRepeats"), QStringLiteral("edgeColors"), QStringLiteral("edgeLevel")};
    if (!coloring.Colored()) {
        for (const QString& name : names)
            store.remove(name);
        return;
    }
    store.setValue(names[0], QLatin1String(kModes[static_cast<int>(coloring.Kind)]));
    store.setValue(names[1], StopsText(coloring.Stops));
    store.setValue(names[2], coloring.Repeats);
    store.setValue(names[3], EdgeColorsText(coloring.EdgeColors));
    store.setValue(names[4], coloring.EdgeLevel);
}

} // namespace ColoringSettings
