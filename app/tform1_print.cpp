#include "app/tform1.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/progress_dialog_work.h"
#include "model/atomic_file.h"
#include "output/print/page_print.h"
#include "session/fractal_session.h"
#include "session/view_snapshot.h"

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

// The page shows the view as the print dialog left it, printed while the
// window goes on; cancelled, it sends no job and leaves a file printed to
// as it was.
void Tform1::Drucken1Click()
{
    const std::optional<bool> background = AskForBackground(dialogs_, this, session_.Viewer.BgColor);
    if (!background)
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (!dialogs_.ConfirmPrint(dialog))
        return;
    const std::unique_ptr<ViewSnapshot> view = ViewSnapshot::Of(session_);
    try {
        RunWithProgress(this, Messages::kPrintTitle, Messages::kPrinting, [&](WorkProgress& progress) {
            PrintPage(printer, PrintJobTitle(FileTitle), *view, *background, progress);
        });
    } catch (const PrintNotStarted&) {
        dialogs_.Warning(this, Messages::kPrintNotStarted);
    } catch (const FileWriteError& e) {
        dialogs_.Warning(this, Messages::Line(Messages::kCannotWrite, printer.outputFileName(),
                                              QString::fromStdString(e.what())));
    }
}
