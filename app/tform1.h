#pragma once

#include "model/complex.h"
#include "model/fract_model.h"
#include "output/avi/avi_writer.h"
#include "view/fract_editor.h"
#include "view/fract_viewer.h"
#include "view/pixel_rect.h"

#include <QFileDialog>
#include <QImage>
#include <QMainWindow>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>

class Dialogs;
class TanimationDlg;
class TexportDlg;
class TrecordDlg;
class TInfoDlg;
struct SettingValues;

namespace Ui {
class Tform1;
}

// The interaction modes; the mode decides whether the timer runs and which
// animation boxes can be used.
enum InteractionMode : std::uint8_t {
    modeIdle = 0,
    modeRubberBand = 1,
    modeZooming = 2,
    modeAnimating = 3,
    modePaused = 4,
    modeDragging = 5,
};

// The main window: the editor pane at the left, the fractal pane at the
// right, the control panel, the menu and the one timer. Its handlers live in
// one file per concern (tform1_*.cpp); they wire the controls to the model
// and view classes, which do the computing. Every question goes through
// dialogs.
class Tform1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Tform1(Dialogs& dialogs, QWidget* parent = nullptr);
    ~Tform1() override;

    // Opens a file as "Öffnen..." does, without the dialog (the command line).
    void OpenFile(const QString& fileName);

    void SetMode(InteractionMode m);
    QSize FractPaneSize() const;
    void LayoutEditor();

    // Menu commands and control handlers, as the menu and controls call them.
    void Neu1Click();
    void ffnen1Click();
    void Speichern1Click();
    void Exportieren1Click();
    void Drucken1Click();
    void Kopieren1Click();
    void Beenden1Click();
    void Kantehinzufgen1Click();
    void Kantelschen1Click();
    void N1001Click();
    void mnuOptionsClick();
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
    void ZoomTo(Complex& c1, Complex& c2);
    // Switches the animation boxes as the user would.
    void CheckAnimation(bool lengths, bool angles);

    // Video recording: the export sets a clip up, the recording dialog
    // starts, stops and finishes it, every tick that moves something adds
    // a frame.
    void StartRecording(int width, int height, const QString& fileName);
    void CaptureFrame();
    void UpdateFrameScale();
    bool RecordingSetUp() const;
    TrecordDlg& RecordDialog() const { return *recordDlg; }

    // Pane handlers.
    void ptbFractPaint(QPainter& canvas);
    void ptbEditorPaint(QPainter& canvas);
    void ptbEditorMouseDown(Qt::MouseButton button, int x, int y);
    void ptbEditorMouseMove(int x, int y);
    void ptbEditorMouseUp(Qt::MouseButton button, int x, int y);
    void ptbFractMouseDown(Qt::MouseButton button, int x, int y);
    void ptbFractMouseMove(int x, int y);
    void ptbFractMouseUp(Qt::MouseButton button, int x, int y);

    // Fields.
    QString FileTitle = QStringLiteral("Unbenannt");
    InteractionMode Mode = modeIdle;
    bool ZoomAnimation;
    bool Recording = false;
    QImage FrameBitmap;
    double FrameScale = 1.0;
    std::int32_t FramesRecorded = 0;
    TAviWriter2 aviWriter;
    std::int32_t ZoomSteps;
    std::int32_t ZoomStepsLeft = 0;
    PixelRect RubberBand;
    FractModel Generator{kGeneratorCapacity};
    FractModel AngleSteps{kGeneratorCapacity};
    FractModel LengthTargets{kGeneratorCapacity};
    FractViewer Viewer{Generator, kCurveCapacity};
    FractEditor Editor{Generator, kEditorCapacity};
    std::int32_t MinNodes;
    std::int32_t MaxNodes;
    double MinLength;
    double MaxLength;
    std::int32_t ExportWidth;
    std::int32_t ExportHeight;

    QTimer Timer1;
    QFileDialog OpenDialog1;
    QFileDialog SaveDialog1;
    QFileDialog SavePictureDialog1;
    // True while a print job is open: the fractal pane's paint then leaves
    // the view mapped to the page.
    bool Printing = false;

    // The rubber band's corners while its zoom is in force; the view refers
    // to them.
    Complex ZoomMin;
    Complex ZoomMax;

private:
    std::unique_ptr<Ui::Tform1> ui;
    Dialogs& dialogs_;
    TInfoDlg* InfoDlg = nullptr;
    TanimationDlg* animationDlg = nullptr;
    TexportDlg* exportDlg = nullptr;
    TrecordDlg* recordDlg = nullptr;
    // OpenVideo succeeded for the clip set up now.
    bool RecordingOpen = false;

    void FormCreate();
    void FormDestroy();
    void closeEvent(QCloseEvent* event) override;
    void SetUpRecording();
    void StartVideoExport(int width, int height, const QString& fileName);
    void cmdStartStopClick();
    void cmdOkClick();
    void FinishRecording();
    void StopCapturing();
    void ConnectMenu();
    void ConnectControls();
    void ConnectPanes();
    void SetUpFileDialogs();
    bool ReadSettings();
    void WriteSettings();
    void ApplySettings(const SettingValues& values);
    SettingValues CurrentSettings() const;
    bool LinesChecked() const;
    // The animation's per-edge data always matches the generator's edges.
    void PrepareAngleAnimation();
    void PrepareLengthAnimation();
    void KeepAnimationInStep();
    void ChangeEdgeCount(void (FractModel::*change)());
    void ZoomStep();
    void AnimationStep();
    void ReleaseRubberBand(int x, int y);
    void ShowFileTitle(const QString& fileName);
};
