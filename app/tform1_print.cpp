#include "app/tform1.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "output/print/page_print.h"
#include "session/fractal_session.h"

#include <QPrintDialog>
#include <QPrinter>

#include <optional>

namespace {

// Whether the background is printed; nothing when the user cancels. On white
// there is nothing to leave out, so nothing is asked.
std::optional<bool> AskForBackground(Dialogs& dialogs, QWidget* parent, ColorRef background)
{
    if (background == kWhite)
        return true;
    const auto answer = dialogs.Message(parent, QMessageBox::Question, Messages::kConfirmCaption,
                                        Messages::kPrintBackground,
                                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes || answer == QMessageBox::No)
        return answer == QMessageBox::Yes;
    return std::nullopt;
}

} // namespace

void Tform1::Drucken1Click()
{
    const std::optional<bool> background = AskForBackground(dialogs_, this, session_.Viewer.BgColor);
    if (!background)
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (!dialogs_.ConfirmPrint(dialog))
        return;
    PagePrint job(printer);
    if (!job.Begin(PrintJobTitle(FileTitle))) {
        dialogs_.Warning(this, Messages::kPrintNotStarted);
        return;
    }
    job.Draw(session_.Renderer(), session_.Style(), *background);
    job.End();
}
