#include "app/tform1.h"

#include "app/dialogs.h"
#include "app/settings.h"
#include "session/fractal_session.h"
#include "ui_tform1.h"

// A value of the wrong kind ends the reading with the standard error box;
// the values before it are in force, the rest keep their defaults.
bool Tform1::ReadSettings()
{
    SettingValues values = session_.Settings();
    QString failure;
    try {
        SettingsStore::Read(values);
    } catch (const SettingsError& e) {
        failure = QString::fromStdString(e.what());
    }
    SettingsStore::Sanitize(values);
    session_.ApplySettings(values);
    ui->Kantenglttung1->setChecked(values.Antialiasing);
    if (failure.isEmpty())
        return true;
    dialogs_.Failure(this, failure);
    return false;
}

void Tform1::WriteSettings()
{
    try {
        SettingsStore::Write(session_.Settings());
    } catch (const SettingsError& e) {
        dialogs_.Failure(this, QString::fromStdString(e.what()));
    }
}
