#include "tinfo_dlg.h"

namespace {
constexpr int kTitlePixelSize = 13;
}

TInfoDlg::TInfoDlg(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
    setFixedSize(size());
    // A form file knows font sizes in points only; the title is set in
    // pixels so it looks the same on every screen resolution.
    QFont title = Label1->font();
    title.setPixelSize(kTitlePixelSize);
    title.setBold(true);
    Label1->setFont(title);
}
