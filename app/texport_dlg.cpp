#include "app/texport_dlg.h"

#include "ui_texport_dlg.h"

#include <QShowEvent>

TexportDlg::TexportDlg(QWidget* parent) : QDialog(parent), ui(new Ui::TexportDlg)
{
    ui->setupUi(this);
    setFixedSize(size());
    connect(ui->cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->cmdCurrentSize, &QPushButton::clicked, this, &TexportDlg::cmdCurrentSizeClick);
}

TexportDlg::~TexportDlg() = default;

void TexportDlg::SetValues(QSize stored, QSize pane)
{
    stored_ = stored;
    pane_ = pane;
}

ExportSizeEntry TexportDlg::Entry() const
{
    return {ui->txtWidth->text(), ui->txtHeight->text()};
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
    ui->txtWidth->setText(QString::number(stored_.width()));
    ui->txtHeight->setText(QString::number(stored_.height()));
}

// The picture then comes out as large as the fractal pane shows it now.
void TexportDlg::cmdCurrentSizeClick()
{
    ui->txtWidth->setText(QString::number(pane_.width()));
    ui->txtHeight->setText(QString::number(pane_.height()));
}
