#include "texport_dlg.h"

#include "tform1.h"

#include <QShowEvent>

TexportDlg::TexportDlg(Tform1* form) : QDialog(form), form_(form)
{
    setupUi(this);
    setFixedSize(size());
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdCurrentSize, &QPushButton::clicked, this, &TexportDlg::cmdCurrentSizeClick);
}

void TexportDlg::showEvent(QShowEvent* event)
{
    // A window restored from the task bar is no new showing.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TexportDlg::FormShow()
{
    txtWidth->setText(QString::number(form_->ExportWidth));
    txtHeight->setText(QString::number(form_->ExportHeight));
}

// The picture then comes out as large as the fractal pane shows it now.
void TexportDlg::cmdCurrentSizeClick()
{
    const QRect pane = form_->ptbFract->ClientRect();
    txtWidth->setText(QString::number(pane.width()));
    txtHeight->setText(QString::number(pane.height()));
}
