#include "app/termination_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// [0] is written by the handler, [1] read by the event loop.
int signalPipe[2] = {-1, -1};

constexpr int kCommandSignals[] = {SIGTERM, SIGHUP, SIGINT};
volatile std::sig_atomic_t caughtSignal = 0;

extern "C" void KeepSignal(int signal)
{
    if (caughtSignal == 0)
        caughtSignal = signal;
}

extern "C" void WriteSignalByte(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

void Handle(int signal, void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Deliver);
    Handle(SIGTERM, WriteSignalByte);
    Handle(SIGHUP, WriteSignalByte);
}

TerminationSignals::~TerminationSignals()
{
    Handle(SIGTERM, SIG_DFL);
    Handle(SIGHUP, SIG_DFL);
    for (int& end : signalPipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

void TerminationSignals::Deliver()
{
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(signalPipe[1], &byte, 1);
    onSignal_();
}

CaughtTermination::CaughtTermination()
{
    caughtSignal = 0;
    for (int signal : kCommandSignals)
        Handle(signal, KeepSignal);
}

CaughtTermination::~CaughtTermination()
{
    for (int signal : kCommandSignals)
        Handle(signal, SIG_DFL);
}

int CaughtTermination::Signal() const
{
    return caughtSignal;
}
