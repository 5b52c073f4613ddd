#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

#include <memory>

namespace Ui {
class TexportDlg;
}

// The size texts the user left in the export dialog.
struct ExportSizeEntry {
    QString Width;
    QString Height;
};

// Asks for the picture size of an export. Every showing fills it with the
// stored size; "aktuelle Größe" takes the fractal pane's size.
class TexportDlg : public QDialog {
    Q_OBJECT
public:
    explicit TexportDlg(QWidget* parent);
    ~TexportDlg() override;

    void SetValues(QSize stored, QSize pane);
    ExportSizeEntry Entry() const;

    void FormShow();
    void cmdCurrentSizeClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TexportDlg> ui;
    QSize stored_;
    QSize pane_;
};
