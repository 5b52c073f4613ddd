#pragma once

#include <QFile>
#include <QString>

// Every file the program reads from outside opens here, and only when it
// is a regular file: a FIFO would block the reader until some writer
// appears, a device or a folder would hand it endless or meaningless bytes.
// Gives false and the system's reason ("No such file or directory", or
// kNotARegularFile) when the file cannot be read that way.
bool OpenRegularFile(QFile& file, const QString& path, QString& reason);

inline const QString kNotARegularFile = QStringLiteral("not a regular file");
