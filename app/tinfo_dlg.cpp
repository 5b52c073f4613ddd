#include "tinfo_dlg.h"

namespace {
constexpr int kTitlePixelSize = 13;
}

TInfoDlg::TInfoDlg(QWidget* parent) : QDialog(parent)
{
    // The picture lives in the application library's resources, which the
    // linker leaves out of the program unless some code refers to them.
    Q_INIT_RESOURCE(ornalix);
    setupUi(this);
    setFixedSize(size());
    // A form file knows font sizes in points only; the title is set in
    // pixels so it looks the same on every screen resolution.
    QFont title = Label1->font();
    title.setPixelSize(kTitlePixelSize);
    title.setBold(true);
    Label1->setFont(title);
}
