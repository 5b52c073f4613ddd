#include "app/tform1.h"

#include "app/endless_status.h"
#include "session/fractal_session.h"
#include "ui_tform1.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QStatusBar>

void Tform1::EndloserZoom1Click()
{
    session_.SetEndlessZoom(ui->EndloserZoom1->isChecked());
}

// Detail follows the pixels while the endless view shows: the depth rests.
void Tform1::ShowEndless()
{
    const QSignalBlocker quiet(ui->EndloserZoom1);
    ui->EndloserZoom1->setChecked(session_.EndlessZoom());
    ui->tbDepth->setEnabled(!session_.EndlessShown());
    if (!session_.EndlessZoom() && !lblEndless)
        return;
    if (!lblEndless) {
        lblEndless = new QLabel(this);
        lblEndless->setObjectName(QStringLiteral("lblEndless"));
        statusBar()->addWidget(lblEndless, 1);
    }
    statusBar()->setVisible(session_.EndlessZoom());
    lblEndless->setText(EndlessStatusLine(session_));
}
