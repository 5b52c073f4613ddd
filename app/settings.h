#pragma once

#include "session/setting_values.h"

#include <QString>

#include <stdexcept>

class QSettings;

// The limits of the values, each named once. The options dialog offers and
// accepts only what lies within the first group; a stored value is kept as
// long as the program can work with it (SettingsStore::Sanitize).
namespace SettingLimits {
// What the options dialog offers and accepts.
constexpr int kThinnestPen = 1;
constexpr int kWidestPen = 10;
constexpr int kFewestZoomSteps = 1;
constexpr int kShortestZoomDelay = 1;  // milliseconds
constexpr int kFewestAngleSteps = 1;   // the angle slider's minimum: no raster
constexpr int kMostAngleSteps = 24;    // the angle slider's maximum
constexpr int kFewestLengthSteps = 0;  // the length slider's minimum: no raster
constexpr int kMostLengthSteps = 12;   // the length slider's maximum
constexpr int kFewestNodes = 3;
constexpr int kMostNodes = 10;
constexpr double kLongestEdge = 10.0;  // edge lengths lie strictly between 0 and this

// Beyond the dialog, what a stored value may hold and still work. Snapping
// tries every raster direction in turn, so an angle raster above this would
// hold up each release of a node for seconds.
constexpr int kMostStoredAngleSteps = 1 << 16;
// A pen beyond half a 32-bit coordinate would overflow the metafiles' bounds.
constexpr int kWidestStoredPen = 1 << 30;
} // namespace SettingLimits

// A stored value of the wrong kind, or a store that cannot be written; the
// message names the value as the user sees it in the error box.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The current user's store: the registry key Software\Ornalix on Windows, a
// file under $XDG_CONFIG_HOME (~/.config) elsewhere.
class SettingsStore {
public:
    // Reads every stored value in order into values; a missing one keeps what
    // values held. Throws SettingsError at the first value of the wrong kind,
    // with the values before it already read.
    static void Read(SettingValues& values);
    // The same from any store, such as an INI file of its own.
    static void Read(QSettings& store, SettingValues& values);
    // Writes all values, the switches added since the first fourteen only
    // while on. Throws SettingsError when the store refuses.
    static void Write(const SettingValues& values);

    // Keeps every value the program can work with, also beyond what the
    // options dialog offers, and puts back to its default only what would
    // break it: a pen of no width, zoom steps or delays of zero or below, an
    // angle raster that would stall snapping, node counts below one (New
    // would make nothing), lengths that are not positive and finite or whose
    // ratio overflows (New would divide by zero or make infinite edges), and
    // export sizes that no picture format can hold.
    static void Sanitize(SettingValues& values);

    // The store itself, for what is kept beside the fourteen values.
    static QSettings Open();

    // What the command line works with: the stored values, mended as
    // Sanitize does; a value of the wrong kind and those after it keep
    // their defaults, as in the window, but nothing is reported.
    static SettingValues ReadQuietly();
};
