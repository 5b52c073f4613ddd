#include "app/tform1.h"

#include "app/dialogs.h"
#include "app/settings.h"

SettingValues Tform1::CurrentSettings() const
{
    SettingValues v;
    v.BgColor = Viewer.BgColor;
    v.FgColor = Viewer.FgColor;
    v.PenWidth = Viewer.PenWidth;
    v.ZoomSteps = ZoomSteps;
    v.ZoomDelay = Timer1.interval();
    v.ZoomAnimation = ZoomAnimation;
    v.AngRaster = Editor.AngRaster;
    v.LenRaster = Editor.LenRaster;
    v.MinNodes = MinNodes;
    v.MaxNodes = MaxNodes;
    v.MinLength = MinLength;
    v.MaxLength = MaxLength;
    v.ExportWidth = ExportWidth;
    v.ExportHeight = ExportHeight;
    return v;
}

void Tform1::ApplySettings(const SettingValues& v)
{
    Viewer.BgColor = v.BgColor;
    Viewer.FgColor = v.FgColor;
    Viewer.PenWidth = v.PenWidth;
    ZoomSteps = v.ZoomSteps;
    Timer1.setInterval(v.ZoomDelay);
    ZoomAnimation = v.ZoomAnimation;
    Editor.AngRaster = v.AngRaster;
    Editor.LenRaster = v.LenRaster;
    MinNodes = v.MinNodes;
    MaxNodes = v.MaxNodes;
    MinLength = v.MinLength;
    MaxLength = v.MaxLength;
    ExportWidth = v.ExportWidth;
    ExportHeight = v.ExportHeight;
}

// A value of the wrong kind ends the reading with the standard error box;
// the values before it are in force, the rest keep their defaults.
bool Tform1::ReadSettings()
{
    SettingValues values = CurrentSettings();
    QString failure;
    try {
        SettingsStore::Read(values);
    } catch (const SettingsError& e) {
        failure = QString::fromStdString(e.what());
    }
    SettingsStore::Sanitize(values);
    ApplySettings(values);
    if (failure.isEmpty())
        return true;
    dialogs_.Failure(this, failure);
    return false;
}

void Tform1::WriteSettings()
{
    try {
        SettingsStore::Write(CurrentSettings());
    } catch (const SettingsError& e) {
        dialogs_.Failure(this, QString::fromStdString(e.what()));
    }
}
