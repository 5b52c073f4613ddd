#include "app/trecord_dlg.h"

#include "ui_trecord_dlg.h"

#include <QHideEvent>
#include <QKeyEvent>

#include <algorithm>

namespace {

// Room for this many digits of the count, and a small gap before them.
constexpr int kCountDigits = 6;
constexpr int kCountGap = 4;

} // namespace

TrecordDlg::TrecordDlg(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), ui(new Ui::TrecordDlg)
{
    ui->setupUi(this);
    FitCaption();
    setFixedSize(size());
    setModal(false);
    connect(ui->cmdStartStop, &QPushButton::clicked, this, &TrecordDlg::cmdStartStopClick);
    connect(ui->cmdOk, &QPushButton::clicked, this, &TrecordDlg::cmdOkClick);
}

TrecordDlg::~TrecordDlg() = default;

// Fonts wider than the layout's own push the count to the right of the
// caption, and the dialog grows to keep the count whole.
void TrecordDlg::FitCaption()
{
    ui->Label1->resize(ui->Label1->fontMetrics().horizontalAdvance(ui->Label1->text()), ui->Label1->height());
    const int countLeft = std::max(ui->lblFrames->x(), ui->Label1->geometry().right() + 1 + kCountGap);
    const int countWidth = ui->lblFrames->fontMetrics().horizontalAdvance(QString(kCountDigits, QLatin1Char('0')));
    ui->lblFrames->setGeometry(countLeft, ui->lblFrames->y(), countWidth, ui->lblFrames->height());
    resize(std::max(width(), ui->lblFrames->geometry().right() + 1), height());
}

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

// The form has no cancel button: Esc would close it, and closing finishes
// the clip. Only "Fertig" and the close box do that.
void TrecordDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TrecordDlg::FormHide()
{
    if (OnFinish)
        OnFinish();
}
