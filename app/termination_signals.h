#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM and SIGHUP (a logout, a shutdown, kill) into a call on the
// main thread, so the program can close as orderly as from its close box.
// The handlers only write a byte to a pipe; everything else runs in the
// event loop.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals() override;

private:
    void Deliver();

    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};
