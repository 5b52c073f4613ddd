#include "app/tform1.h"

#include "app/dialogs.h"
#include "app/options_entry.h"
#include "app/settings.h"
#include "app/tanimation_dlg.h"
#include "app/tfarben_dlg.h"
#include "session/fractal_session.h"
#include "ui_tform1.h"

void Tform1::Kantenglttung1Click()
{
    session_.Antialiasing = ui->Kantenglttung1->isChecked();
    ui->ptbFract->repaint();
}

// What the dialog's fields allow is taken and applied, then the warnings
// about the rest are shown in the order of the fields.
void Tform1::mnuOptionsClick()
{
    animationDlg->SetValues(session_.Settings());
    if (dialogs_.Run(*animationDlg) != QDialog::Accepted)
        return;
    SettingValues values = session_.Settings();
    const QStringList warnings = TakeOptionsEntry(animationDlg->Entry(), values);
    session_.ApplySettings(values);
    ui->ptbFract->repaint();
    for (const QString& warning : warnings)
        dialogs_.Warning(this, warning);
}

void Tform1::Farben1Click()
{
    farbenDlg->SetColoring(session_.Coloring);
    if (dialogs_.Run(*farbenDlg) != QDialog::Accepted)
        return;
    session_.Coloring = farbenDlg->Coloring();
    ui->ptbFract->repaint();
}
