#pragma once

struct CommandLine;

// Records a clip of a .fract file with the window's own recording, on no
// display: the window opens the file in a pane of the clip's size, the clip
// is set up through the export, "Start" is pressed and the ticks run as fast
// as they can. Returns the exit status; a failure prints one line and leaves
// no clip.
int RunRecordCommand(const CommandLine& command);
