#pragma once

#include "view/color_ref.h"

#include <QString>
#include <QStringList>

struct SettingValues;

// What the user left in the options dialog: the fields that take typed
// numbers as their texts, everything else as chosen.
struct OptionsEntry {
    ColorRef BgColor = 0;
    ColorRef FgColor = 0;
    QString PenWidth;
    bool ZoomAnimation = true;
    QString ZoomSteps;
    QString ZoomDelay;
    int AngRaster = 0;
    int LenRaster = 0;
    int MinNodes = 0;
    int MaxNodes = 0;
    QString MinLength;
    QString MaxLength;
};

// Takes the entry into values field by field, in the dialog's order: a value
// out of range is skipped with its warning, a field without a number stops
// the taking there with "Ungültige Zahl", and what was taken before stays.
// Returns the warnings in the order they arose.
QStringList TakeOptionsEntry(const OptionsEntry& entry, SettingValues& values);
