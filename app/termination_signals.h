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

// Notes SIGTERM, SIGHUP and SIGINT for a command that runs without an event
// loop: it asks between its steps and ends in order. The handlers only keep
// the first signal's number; the default handling comes back with the
// object's end. One at a time.
class CaughtTermination {
public:
    CaughtTermination();
    ~CaughtTermination();
    CaughtTermination(const CaughtTermination&) = delete;
    CaughtTermination& operator=(const CaughtTermination&) = delete;

    // The signal caught, or 0.
    int Signal() const;
};
