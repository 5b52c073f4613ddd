#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

// Programs we did not write that read our files back, and the files they
// read and write. Header only: the window tests use it too.

inline bool ToolAvailable(const QString& program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

struct ToolResult {
    int ExitCode = -1; // -1 when it did not start or finish
    QByteArray Output; // trimmed
    QByteArray Errors;
};

inline ToolResult RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
    } else if (process.exitStatus() == QProcess::NormalExit) {
        result.ExitCode = process.exitCode();
        result.Output = process.readAllStandardOutput().trimmed();
        result.Errors = process.readAllStandardError();
    }
    return result;
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Empty when the file cannot be read.
inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
