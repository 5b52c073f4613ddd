#include "trecord_dlg.h"

#include "ui_trecord_dlg.h"

#include <QHideEvent>

TrecordDlg::TrecordDlg(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), ui(new Ui::TrecordDlg)
{
    ui->setupUi(this);
    setFixedSize(size());
    setModal(false);
    connect(ui->cmdStartStop, &QPushButton::clicked, this, &TrecordDlg::cmdStartStopClick);
    connect(ui->cmdOk, &QPushButton::clicked, this, &TrecordDlg::cmdOkClick);
}

TrecordDlg::~TrecordDlg() = default;

void TrecordDlg::ShowModeless()
{
    if (const QWidget* owner = parentWidget())
        move(owner->geometry().center() - rect().center());
    show();
}

void TrecordDlg::ShowCapturing(bool on)
{
    ui->cmdStartStop->setText(on ? QStringLiteral("Stop") : QStringLiteral("Start"));
}

void TrecordDlg::ShowFrames(int count)
{
    ui->lblFrames->setText(QString::number(count));
}

void TrecordDlg::cmdStartStopClick()
{
    if (OnStartStop)
        OnStartStop();
}

void TrecordDlg::cmdOkClick()
{
    if (OnOk)
        OnOk();
    hide();
}

// Qt also hides a window spontaneously when it is minimised or unmapped;
// only a hide by the program or the close box ends the clip.
void TrecordDlg::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        FormHide();
    QDialog::hideEvent(event);
}

void TrecordDlg::FormHide()
{
    if (OnFinish)
        OnFinish();
}
