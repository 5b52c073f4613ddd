#pragma once

#include "color_ref.h"

#include <QString>

#include <stdexcept>

// The fourteen values that persist between runs, with their defaults.
struct SettingValues {
    ColorRef BgColor = kWhite;
    ColorRef FgColor = kBlack;
    int PenWidth = 1;
    int ZoomSteps = 60;
    int ZoomDelay = 15;
    bool ZoomAnimation = true;
    int AngRaster = 0;
    int LenRaster = 0;
    int MinNodes = 3;
    int MaxNodes = 5;
    double MinLength = 0.5;
    double MaxLength = 2.0;
    int ExportWidth = 256;
    int ExportHeight = 256;
};

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
    // Writes all fourteen values. Throws SettingsError when the store refuses.
    static void Write(const SettingValues& values);

    // Values that would stall or break the program (no steps, no interval, a
    // pen of no width, node counts or lengths outside what New can use, more
    // raster steps than the options offer) are put back to their defaults.
    static void Sanitize(SettingValues& values);
};
