#include "session/offscreen_pane.h"

#include "session/fractal_session.h"

#include <QPainter>

OffscreenPane::OffscreenPane(FractalSession& session, QSize size)
    : session_(session), picture_(size, QImage::Format_RGB32)
{
    session_.SetFractPane(size);
    connect(&session_, &FractalSession::fractChanged, this, &OffscreenPane::Paint);
    Paint();
}

void OffscreenPane::Paint()
{
    if (picture_.isNull())
        return;
    QPainter painter(&picture_);
    session_.PaintFract(painter);
}

UnseenPane::UnseenPane(FractalSession& session, QSize size)
{
    session.SetFractPane(size);
    connect(&session, &FractalSession::fractChanged, this, [&session] { session.FitToPane(); });
    session.FitToPane();
}
