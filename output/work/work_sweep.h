#pragma once

#include <QString>

// Removes the work files in the folder whose lock is free: their recording
// ended with its process (a crash, kill -9, a power cut), and each can hold
// a whole clip's frames. Only work files are touched, and only regular
// files of this user: any other name in the folder is never followed,
// opened or deleted. A missing folder is not made.
void RemoveDeadWorkFiles(const QString& folder);
