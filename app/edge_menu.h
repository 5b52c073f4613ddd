#pragma once

#include <QPoint>

class FractalSession;
class QWidget;

// The editor pane's menu of one edge: whether the copy on it is mirrored
// and whether it is reversed, checked as it stands. Shown at the pane's
// point; what the user picks becomes the session's step.
void ShowEdgeMenu(FractalSession& session, int edge, QWidget& pane, const QPoint& at);
