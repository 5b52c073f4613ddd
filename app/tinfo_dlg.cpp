#include "app/tinfo_dlg.h"

#include "ui_tinfo_dlg.h"

namespace {
constexpr int kTitlePixelSize = 13;
}

TInfoDlg::TInfoDlg(QWidget* parent) : QDialog(parent), ui(new Ui::TInfoDlg)
{
    ui->setupUi(this);
    setFixedSize(size());
    // A form file knows font sizes in points only; the title is set in
    // pixels so it looks the same on every screen resolution.
    QFont title = ui->Label1->font();
    title.setPixelSize(kTitlePixelSize);
    title.setBold(true);
    ui->Label1->setFont(title);
}

TInfoDlg::~TInfoDlg() = default;
