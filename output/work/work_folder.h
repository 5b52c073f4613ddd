#pragma once

#include <QString>
#include <QStringList>

// The folders where recordings collect their frames, in the order they are
// tried: "ornalix" under the user's cache location, then a folder of the
// user's own under $TMPDIR, for a cache that cannot be made or written (a
// read-only home, a full disk) or where there is no cache location. Not the
// runtime folder, a small tmpfs that a long clip would fill.
QStringList WorkFolderPaths();

// Opens the work folder without following a link at its own name, creating
// it (and the folders above it) with mode 0700 when missing and create is
// true. A folder open to others is closed to them again. Gives the
// descriptor, or -1 and the reason when the folder cannot be made or is not
// a folder that belongs to this user.
int OpenWorkFolder(const QString& path, QString& reason, bool create = true);
