#pragma once

#include "model/work_progress.h"

#include <QString>

#include <functional>

class QWidget;

// Long work of the window shows its progress only when it takes longer
// than this (milliseconds).
constexpr int kProgressDelay = 1000;

// Runs long work of the window (an export, a printed page, the finishing of
// a clip) on a thread of its own while the window goes on: its timer ticks
// and its panes repaint. Once the work looks like taking longer than
// kProgressDelay, a progress dialog modal to the window shows how far it
// is, and "Abbrechen" cancels it. Returns when the work has ended: false
// when it was cancelled (WorkCancelled), true otherwise; anything else the
// work throws is thrown here, on the window's thread. The work must touch
// no widget and nothing the window goes on changing.
bool RunWithProgress(QWidget* window, const QString& title, const QString& label,
                     const std::function<void(WorkProgress&)>& work);
