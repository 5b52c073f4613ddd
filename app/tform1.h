#pragma once

#include "app/recent_files.h"
#include "session/interaction_mode.h"

#include <QFileDialog>
#include <QMainWindow>
#include <QString>

#include <memory>

class Dialogs;
class QLabel;
class FractalSession;
class TanimationDlg;
class TfarbenDlg;
class TexportDlg;
class TrecordDlg;
class TInfoDlg;
struct SettingValues;

namespace Ui {
class Tform1;
}

// The main window: the editor pane at the left, the fractal pane at the
// right, the control panel, the menu. Its handlers live in one file per
// concern (tform1_*.cpp) and forward to the session, which does the work;
// the window shows what the session's signals tell. Every question goes
// through dialogs.
class Tform1 : public QMainWindow {
    Q_OBJECT
public:
    Tform1(FractalSession& session, Dialogs& dialogs, QWidget* parent = nullptr);
    ~Tform1() override;

    // Opens a file as "Öffnen..." does, without the dialog (the command line).
    void OpenFile(const QString& fileName);

private:
    // Menu commands and control handlers.
    void Neu1Click();
    void ffnen1Click();
    void Speichern1Click();
    void Exportieren1Click();
    void Drucken1Click();
    void Kopieren1Click();
    void Generatorkopieren1Click();
    void Generatoreinfgen1Click();
    void Beenden1Click();
    void Rckgngig1Click();
    void Wiederherstellen1Click();
    void Kantehinzufgen1Click();
    void Kantelschen1Click();
    void N1001Click();
    void EndloserZoom1Click();
    void mnuOptionsClick();
    void Farben1Click();
    void Kantenglttung1Click();
    void Info1Click();
    void tbDepthChange();
    void optLinesClick();
    void optPointsClick();
    void chkAnimLenClick();
    void chkAnimAngClick();
    void chkPauseClick();
    void Splitter1Moved();
    void FormResize();
    void Timer1Timer();

    // Pane handlers.
    void ptbFractPaint(QPainter& canvas);
    void ptbEditorPaint(QPainter& canvas);
    void ptbEditorMouseDown(Qt::MouseButton button, int x, int y);
    void ptbEditorMouseMove(int x, int y);
    void ptbEditorMouseUp(Qt::MouseButton button, int x, int y);
    void ptbFractMouseDown(Qt::MouseButton button, int x, int y);
    void ptbFractMouseMove(int x, int y);
    void ptbFractMouseUp(Qt::MouseButton button, int x, int y);
    void ptbFractMouseWheel(int x, int y, double notches);

    // Video recording: the export sets a clip up, the recording dialog
    // starts, stops and finishes it.
    void SetUpRecording();
    void StartVideoExport(int width, int height, const QString& fileName);
    void StartRecording(int width, int height, const QString& fileName);
    bool RecordingSetUp() const;
    void cmdStartStopClick();
    void cmdOkClick();
    void FinishRecording();

    // The history of edits, the recent files, the gallery, files dropped
    // on the window.
    void SetUpHistory();
    void ShowHistory();
    void SetUpRecentFiles();
    void RememberFile(const QString& fileName);
    void ShowRecentFiles();
    void SetUpGallery();
    void Beispiel1Click(const QString& fileName);
    // Opens a file and shows its name in the title; false for a bad file.
    bool ReadFile(const QString& fileName);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    void FormCreate();
    void FormDestroy();
    void closeEvent(QCloseEvent* event) override;
    void ConnectMenu();
    void ConnectControls();
    void ConnectPanes();
    void ConnectSession();
    void SetUpFileDialogs();
    bool ReadSettings();
    void WriteSettings();
    void LayoutEditor();
    // The controls show the session's state.
    void ShowMode(InteractionMode m);
    void ShowDepth(int depth);
    void ShowLines(bool lines);
    void ShowAnimation(bool lengths, bool angles);
    void ShowFileTitle(const QString& fileName);
    // The endless switch, its status line and the depth slider it rests.
    void ShowEndless();

    std::unique_ptr<Ui::Tform1> ui;
    FractalSession& session_;
    Dialogs& dialogs_;
    QString FileTitle = QStringLiteral("Unbenannt");
    RecentFiles recentFiles_;
    QFileDialog OpenDialog1;
    QFileDialog SaveDialog1;
    QFileDialog SavePictureDialog1;
    TInfoDlg* InfoDlg = nullptr;
    TanimationDlg* animationDlg = nullptr;
    TfarbenDlg* farbenDlg = nullptr;
    TexportDlg* exportDlg = nullptr;
    TrecordDlg* recordDlg = nullptr;
    // Made when the endless switch is first on, so that with it off the
    // window is laid out as it always was.
    QLabel* lblEndless = nullptr;
};
