#pragma once

#include "session/setting_values.h"

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

// The settings in a failure's output, in their order in SettingValues.
inline void PrintTo(const SettingValues& v, std::ostream* out)
{
    *out << ::testing::PrintToString(std::tuple(v.BgColor, v.FgColor, v.PenWidth, v.ZoomSteps, v.ZoomDelay,
                                                v.ZoomAnimation, v.AngRaster, v.LenRaster, v.MinNodes, v.MaxNodes,
                                                v.MinLength, v.MaxLength, v.ExportWidth, v.ExportHeight,
                                                v.Antialiasing, v.EndlessZoom));
}
