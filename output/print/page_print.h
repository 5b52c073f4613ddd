#pragma once

#include "model/work_progress.h"

#include <QString>

#include <stdexcept>

class QPrinter;
class ViewSnapshot;

// The resolution pages are drawn at, that of a usual office printer: a
// one-pixel line is still visible on paper there.
constexpr int kPrintResolution = 600;

// The name the job carries in the printer's queue.
QString PrintJobTitle(const QString& fileTitle);

// The printer, or the file it prints to, cannot take the job.
class PrintNotStarted : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Prints the view on one page of the printer, named title, fitted to the
// printable area at the print resolution, in the view's style as it goes
// on paper, with or without its background. The job begins only once the
// picture is made: a printer cannot take back a job it was given, so work
// cancelled before then sends nothing. A print to a file goes to a work
// file and takes the file's place only whole, so that cancelled work
// (WorkCancelled) or a failed write (FileWriteError) leaves an older file
// as it was and no other. Throws PrintNotStarted when the printer, or the
// file, cannot start.
void PrintPage(QPrinter& printer, const QString& title, ViewSnapshot& view, bool background,
               WorkProgress& progress = WorkProgress::Unwatched());
