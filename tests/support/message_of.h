#pragma once

#include <QString>

#include <functional>

// The message of the Error the action throws, or an empty text when it
// throws none.
template <typename Error>
QString MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}
