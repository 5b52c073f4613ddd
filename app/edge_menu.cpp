#include "app/edge_menu.h"

#include "session/fractal_session.h"

#include <QAction>
#include <QMenu>

void ShowEdgeMenu(FractalSession& session, int edge, QWidget& pane, const QPoint& at)
{
    const EdgeOrientation o = session.Generator.Orientations[edge];
    QMenu menu(&pane);
    QAction* mirror = menu.addAction(QStringLiteral("Kante &spiegeln"));
    mirror->setObjectName(QStringLiteral("Kantespiegeln1"));
    mirror->setCheckable(true);
    mirror->setChecked(IsMirrored(o));
    QAction* reverse = menu.addAction(QStringLiteral("Kante &umkehren"));
    reverse->setObjectName(QStringLiteral("Kanteumkehren1"));
    reverse->setCheckable(true);
    reverse->setChecked(IsReversed(o));
    const QAction* chosen = menu.exec(pane.mapToGlobal(at));
    if (chosen == mirror)
        session.MirrorEdge(edge, mirror->isChecked());
    else if (chosen == reverse)
        session.ReverseEdge(edge, reverse->isChecked());
}
