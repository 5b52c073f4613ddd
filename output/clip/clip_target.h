#pragma once

#include <QString>

// What a recording checks before its first frame, for every clip format:
// minutes of frames are not to be lost to a clip that cannot be written or
// a sound that cannot be used. The checks write nothing; each failure is a
// ClipError with the writer's message, the file and the reason.

// The clip's folder exists and files can be made in it; a file of the name,
// if there is one, is a regular file that may be replaced.
void CheckClipTarget(const QString& fileName);

// A regular file that reads as sound a clip can hold.
void CheckClipSound(const QString& wavFile);
