#include "app/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kRecentFilesKey = QStringLiteral("recentFiles");

} // namespace

void RecentFiles::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files_.removeAll(absolute);
    files_.prepend(absolute);
    while (files_.size() > kMostFiles)
        files_.removeLast();
}

void RecentFiles::Read(const QSettings& store)
{
    files_.clear();
    const QStringList stored = store.value(kRecentFilesKey).toStringList();
    for (auto file = stored.crbegin(); file != stored.crend(); ++file)
        if (!file->isEmpty())
            Add(*file);
}

void RecentFiles::Write(QSettings& store) const
{
    store.setValue(kRecentFilesKey, files_);
}
