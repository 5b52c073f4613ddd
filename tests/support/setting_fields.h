#pragma once

#include "session/setting_values.h"

#include <tuple>

// The settings as one comparable whole, named in a failure's output
// by their order in SettingValues.
inline auto SettingFields(const SettingValues& v)
{
    return std::tuple(v.BgColor, v.FgColor, v.PenWidth, v.ZoomSteps, v.ZoomDelay, v.ZoomAnimation, v.AngRaster,
                      v.LenRaster, v.MinNodes, v.MaxNodes, v.MinLength, v.MaxLength, v.ExportWidth, v.ExportHeight,
                      v.Antialiasing);
}
