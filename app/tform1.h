#pragma once

#include "complex.h"
#include "fract_editor.h"
#include "fract_model.h"
#include "fract_viewer.h"
#include "pixel_rect.h"
#include "ui_tform1.h"

#include <QFileDialog>
#include <QImage>
#include <QMainWindow>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>

class TanimationDlg;
class TexportDlg;
class TInfoDlg;
struct SettingValues;

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
// one file per concern (tform1_*.cpp).
class Tform1 : public QMainWindow, public Ui::Tform1 {
    Q_OBJECT
public:
    explicit Tform1(QWidget* parent = nullptr);
    ~Tform1() override;

    // Opens a file as "Öffnen..." does, without the dialog (the command line).
    void OpenFile(const QString& fileName);

    void SetMode(InteractionMode m);
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
    bool ZoomAnimation = true;
    bool Recording = false;
    QImage FrameBitmap;
    double FrameScale = 1.0;
    std::int32_t FramesRecorded = 0;
    std::int32_t ZoomSteps = 60;
    std::int32_t ZoomStepsLeft = 0;
    PixelRect RubberBand;
    FractModel Generator{kGeneratorCapacity};
    FractModel AngleSteps{kGeneratorCapacity};
    FractModel LengthTargets{kGeneratorCapacity};
    FractViewer Viewer{Generator, kViewerCapacity};
    FractEditor Editor{Generator, kEditorCapacity};
    std::int32_t MinNodes = 3;
    std::int32_t MaxNodes = 5;
    double MinLength = 0.5;
    double MaxLength = 2.0;
    std::int32_t ExportWidth = 256;
    std::int32_t ExportHeight = 256;

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

    TInfoDlg* InfoDlg = nullptr;
    TanimationDlg* animationDlg = nullptr;
    TexportDlg* exportDlg = nullptr;

    static constexpr int kGeneratorCapacity = 10;
    static constexpr int kViewerCapacity = 16384;
    // Two above the generator's capacity, so a full generator from a file
    // shows and picks every node (the last slot is never used).
    static constexpr int kEditorCapacity = kGeneratorCapacity + 2;

private:
    void FormCreate();
    void FormDestroy();
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
    void ReleaseRubberBand(int x, int y);
    void ShowFileTitle(const QString& fileName);
};
