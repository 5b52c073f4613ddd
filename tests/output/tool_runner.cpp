#include "tool_runner.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

constexpr int kToolTimeoutMs = 60000;

} // namespace

bool ToolAvailable(const QString& program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

ToolResult RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return result;
    result.ExitCode = process.exitCode();
    result.Output = process.readAllStandardOutput();
    result.Errors = process.readAllStandardError();
    return result;
}
