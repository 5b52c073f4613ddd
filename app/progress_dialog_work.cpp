#include "app/progress_dialog_work.h"

#include "app/messages.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>

namespace {

// The dialog's bar counts in thousandths.
constexpr int kBarSteps = 1000;
// How often the dialog looks at the work's progress (milliseconds).
constexpr int kPollInterval = 50;

// Written by the work's thread, read by the window's.
class SharedProgress final : public WorkProgress {
public:
    void Report(qint64 done, qint64 total) override
    {
        if (total > 0)
            steps_ = static_cast<int>(std::clamp<qint64>(done * kBarSteps / total, 0, kBarSteps));
    }
    bool Cancelled() const override { return cancelled_; }

    int Steps() const { return steps_; }
    void Cancel() { cancelled_ = true; }

private:
    std::atomic<int> steps_{0};
    std::atomic<bool> cancelled_{false};
};

} // namespace

bool RunWithProgress(QWidget* window, const QString& title, const QString& label,
                     const std::function<void(WorkProgress&)>& work)
{
    SharedProgress progress;
    std::exception_ptr failure;
    bool cancelled = false;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work(progress);
        } catch (const WorkCancelled&) {
            cancelled = true;
        } catch (...) {
            failure = std::current_exception();
        }
    }));

    QProgressDialog dialog(label, Messages::kCancelButton, 0, kBarSteps, window);
    dialog.setWindowTitle(title);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(kProgressDelay);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setValue(0);

    QEventLoop loop;
    QTimer poll;
    // "Abbrechen" and the dialog's close box both end in its cancel.
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
        if (dialog.wasCanceled())
            progress.Cancel();
        else if (progress.Steps() > dialog.value())
            dialog.setValue(progress.Steps());
    });
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    poll.start(kPollInterval);
    thread->start();
    loop.exec();
    thread->wait();
    if (failure)
        std::rethrow_exception(failure);
    return !cancelled;
}
