#pragma once

#include <QString>

#include <cstring>

// The system's own words for an errno value ("No space left on device"),
// which the command line prints after the program's message.
inline QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
