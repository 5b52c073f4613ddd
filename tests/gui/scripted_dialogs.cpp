#include "tests/gui/scripted_dialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

QString ScriptedDialogs::ChooseFile(QFileDialog& dialog)
{
    ++fileDialogsShown;
    fileDialogFilters.push_back(dialog.nameFilters().join(QStringLiteral(";;")));
    return Take(files, QString());
}

bool ScriptedDialogs::ConfirmPrint(QPrintDialog& dialog)
{
    ++printDialogsShown;
    const bool accepted = Take(printAnswers, false);
    if (accepted) {
        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog.printer()->setOutputFileName(printFile);
    }
    return accepted;
}
