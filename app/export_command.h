#pragma once

struct CommandLine;

// Writes the picture of a .fract file as the window's export would right
// after opening it in a pane of the picture's size; returns the exit status
// and prints the program's own message when it fails.
int RunExportCommand(const CommandLine& command);
