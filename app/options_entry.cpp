#include "app/options_entry.h"

#include "app/messages.h"
#include "app/settings.h"
#include "model/number_text.h"

namespace {

using namespace SettingLimits;

// A field that holds no number of the kind wanted ends the taking.
struct NotANumber {};

int IntegerOf(const QString& text)
{
    const auto value = ParseDecimalInteger(text.toStdString());
    if (!value)
        throw NotANumber();
    return *value;
}

double NumberOf(const QString& text)
{
    const auto value = ParseNumber(text.toStdString(), SystemDecimalSeparator());
    if (!value)
        throw NotANumber();
    return *value;
}

void TakeDrawing(const OptionsEntry& entry, SettingValues& values, QStringList& warnings)
{
    values.BgColor = entry.BgColor;
    values.FgColor = entry.FgColor;
    const int penWidth = IntegerOf(entry.PenWidth);
    if (penWidth >= kThinnestPen && penWidth <= kWidestPen)
        values.PenWidth = penWidth;
    else
        warnings << Messages::kInvalidPenWidth;
}

void TakeTiming(const OptionsEntry& entry, SettingValues& values, QStringList& warnings)
{
    values.ZoomAnimation = entry.ZoomAnimation;
    const int steps = IntegerOf(entry.ZoomSteps);
    if (steps >= kFewestZoomSteps)
        values.ZoomSteps = steps;
    else
        warnings << Messages::kInvalidSteps;
    const int delay = IntegerOf(entry.ZoomDelay);
    if (delay >= kShortestZoomDelay)
        values.ZoomDelay = delay;
    else
        warnings << Messages::kInvalidInterval;
}

void TakeEditing(const OptionsEntry& entry, SettingValues& values, QStringList& warnings)
{
    values.AngRaster = entry.AngRaster;
    values.LenRaster = entry.LenRaster;
    values.MinNodes = entry.MinNodes;
    values.MaxNodes = entry.MaxNodes;
    const double a = NumberOf(entry.MinLength);
    const double b = NumberOf(entry.MaxLength);
    if (0 < a && a < b && b < kLongestEdge) {
        values.MinLength = a;
        values.MaxLength = b;
    } else {
        warnings << Messages::kInvalidLengthRange;
    }
}

} // namespace

QStringList TakeOptionsEntry(const OptionsEntry& entry, SettingValues& values)
{
    QStringList warnings;
    try {
        TakeDrawing(entry, values, warnings);
        TakeTiming(entry, values, warnings);
        TakeEditing(entry, values, warnings);
    } catch (const NotANumber&) {
        warnings << Messages::kInvalidNumber;
    }
    return warnings;
}
