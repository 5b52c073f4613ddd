#pragma once

#include "model/random_source.h"
#include "session/fractal_session.h"
#include "session/offscreen_pane.h"

#include <QPoint>
#include <QRect>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using EdgeList = std::vector<std::pair<double, double>>;

// A session as the window starts it, without the window: the fractal pane is
// painted offscreen whenever the session says so, the editor is laid out in
// a pane beside it, and the random source starts from a fixed seed.
class SessionTest : public ::testing::Test {
protected:
    SessionTest()
    {
        session.SetEditorPane(QRect(0, 0, 205, 420));
        session.LayoutEditor();
        RandomSource::Instance().Seed(1234);
    }

    const QImage& Picture() const { return pane.Picture(); }

    // A left drag in the fractal pane, as the mouse makes it.
    void Band(QPoint from, QPoint to)
    {
        session.PressFract(Qt::LeftButton, from.x(), from.y());
        session.MoveFract((from.x() + to.x()) / 2, (from.y() + to.y()) / 2);
        session.MoveFract(to.x(), to.y());
        session.ReleaseFract(Qt::LeftButton, to.x(), to.y());
    }

    void RightClick() { session.ReleaseFract(Qt::RightButton, 10, 10); }

    // The timer's ticks until it stops (at most `most`); how many ran.
    int TicksUntilIdle(int most = 1000)
    {
        int ticks = 0;
        for (; ticks < most && session.Timer().isActive(); ++ticks)
            session.Tick();
        return ticks;
    }

    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            session.Tick();
    }

    // The editor's node k in pane pixels.
    QPoint Node(int k) const
    {
        const Complex& p = session.Editor.Points[k];
        return QPoint(static_cast<int>(p.Re), static_cast<int>(p.Im));
    }

    EdgeList Edges() const
    {
        EdgeList edges;
        for (int i = 0; i < session.Generator.Count; ++i)
            edges.emplace_back(session.Generator.Items[i].Re, session.Generator.Items[i].Im);
        return edges;
    }

    FractalSession session;
    OffscreenPane pane{session, QSize(470, 420)};
};
