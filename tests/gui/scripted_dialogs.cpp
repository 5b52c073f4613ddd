#include "scripted_dialogs.h"

#include <QFileDialog>

QString ScriptedDialogs::ChooseFile(QFileDialog& dialog)
{
    ++fileDialogsShown;
    fileDialogFilters.push_back(dialog.nameFilters().join(QStringLiteral(";;")));
    return Take(files, QString());
}
