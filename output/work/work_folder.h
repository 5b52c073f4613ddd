#pragma once

#include <QString>

// The folder where recordings collect their frames: "ornalix" under the
// user's cache location, or a folder of the user's own under $TMPDIR where
// there is no cache location. Not the runtime folder, a small tmpfs that a
// long clip would fill.
QString WorkFolderPath();

// Opens the work folder, creating it with mode 0700 when missing, without
// following a link at its own name. Gives the descriptor, or -1 when the
// folder cannot be made or is not a folder that only this user can use.
int OpenWorkFolder(const QString& path);
