#pragma once

#include <QImage>
#include <QObject>
#include <QSize>

class FractalSession;

// The fractal pane where there is no window: a picture of the pane's size
// that paints the session's view whenever it changes, exactly as the
// window's pane does, so that the view is fitted and mapped as it would be
// on screen.
class OffscreenPane : public QObject {
    Q_OBJECT
public:
    OffscreenPane(FractalSession& session, QSize size);

    const QImage& Picture() const { return picture_; }
    void Paint();

private:
    FractalSession& session_;
    QImage picture_;
};

// A fractal pane nobody looks at, as a recording from the command line has:
// every change fits the view exactly as a paint of the pane would, and
// nothing is drawn.
class UnseenPane : public QObject {
    Q_OBJECT
public:
    UnseenPane(FractalSession& session, QSize size);
};
