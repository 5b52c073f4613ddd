#pragma once

#include <QString>

#include <stdexcept>
#include <string>

// Every failure of the AVI writer. The text is the English message the
// window shows; the command line adds the file it concerns and the reason
// (the system's, or what is wrong with the file), where there are such.
class AviError : public std::runtime_error {
public:
    explicit AviError(const std::string& message, QString file = {}, QString reason = {})
        : std::runtime_error(message), file_(std::move(file)), reason_(std::move(reason))
    {
    }

    const QString& File() const { return file_; }
    const QString& Reason() const { return reason_; }

private:
    QString file_;
    QString reason_;
};
