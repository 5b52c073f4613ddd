#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Programs we did not write that read our files back.
bool ToolAvailable(const QString& program);

struct ToolResult {
    int ExitCode = -1; // -1 when it did not start or finish
    QByteArray Output;
    QByteArray Errors;
};

ToolResult RunTool(const QString& program, const QStringList& arguments);
