#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class TrecordDlg;
}

// The small window that stays on top while a clip is set up: "Start"/"Stop"
// switches the capture, "Fertig" or the close box finishes the clip. The
// main window does the work behind the buttons.
class TrecordDlg : public QDialog {
    Q_OBJECT
public:
    explicit TrecordDlg(QWidget* parent);
    ~TrecordDlg() override;

    std::function<void()> OnStartStop;
    std::function<void()> OnOk;
    std::function<void()> OnFinish;

    // Shows the dialog centred on its main window, without blocking it.
    void ShowModeless();
    void ShowCapturing(bool on);
    void ShowFrames(int count);

    void cmdStartStopClick();
    void cmdOkClick();
    void FormHide();

protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FitCaption();

    std::unique_ptr<Ui::TrecordDlg> ui;
};
