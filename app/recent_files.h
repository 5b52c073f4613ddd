#pragma once

#include <QStringList>

class QSettings;

// The files last opened or saved, newest first, each once, as the menu
// "Zuletzt geöffnet" lists them. They are kept in the settings store under
// a key of their own, beside the fourteen values.
class RecentFiles {
public:
    static constexpr int kMostFiles = 8;

    // The file goes first as an absolute path; an earlier mention of it
    // goes, and so does the oldest beyond kMostFiles.
    void Add(const QString& path);
    const QStringList& Files() const { return files_; }

    // Whatever the store holds under the key is taken as file names, and
    // kept as Add keeps them.
    void Read(const QSettings& store);
    void Write(QSettings& store) const;

private:
    QStringList files_;
};
