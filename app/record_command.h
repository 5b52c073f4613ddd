#pragma once

struct CommandLine;

// Records a clip of a .fract file with the window's own recording, on no
// display: the window opens the file in a pane of the clip's size, the clip
// is set up through the export, "Start" is pressed and the ticks run as fast
// as they can. What can be checked (the clip's format and folder, the
// sound) is checked before the first frame. Returns the exit status: a
// failure prints one line and leaves no clip; SIGTERM, SIGHUP or SIGINT end
// the recording without a clip, with 128 + the signal.
int RunRecordCommand(const CommandLine& command);
