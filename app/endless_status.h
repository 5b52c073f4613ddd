#pragma once

#include <QString>

class FractalSession;

// The status line of the endless view, as the user reads it: the
// magnification against the full view, or why the generator has no limit
// curve and the polyline view is shown instead. Empty with the switch off.
QString EndlessStatusText(const FractalSession& session);
// The same in the window, where a generator without a limit curve is also
// told how to get one.
QString EndlessStatusLine(const FractalSession& session);
