#include "app/tform1.h"

#include "app/dialogs.h"
#include "app/settings.h"
#include "app/tanimation_dlg.h"
#include "app/texport_dlg.h"
#include "app/tinfo_dlg.h"
#include "app/trecord_dlg.h"
#include "model/fract_file.h"
#include "model/random_source.h"
#include "model/start_generator.h"
#include "ui_tform1.h"

#include <QIcon>
#include <QSignalBlocker>

namespace {
constexpr int kEditorPanelWidth = 209;
} // namespace

Tform1::Tform1(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), ui(new Ui::Tform1), dialogs_(dialogs)
{
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/ornalix.png")));
    ui->Splitter1->setStretchFactor(0, 0);
    ui->Splitter1->setStretchFactor(1, 1);
    ui->Splitter1->setCollapsible(1, false);
    ui->Splitter1->setSizes({kEditorPanelWidth, width() - kEditorPanelWidth});
    SetUpFileDialogs();
    ConnectMenu();
    ConnectControls();
    ConnectPanes();
    FormCreate();
    InfoDlg = new TInfoDlg(this);
    animationDlg = new TanimationDlg(this, dialogs_);
    exportDlg = new TexportDlg(this);
    SetUpRecording();
}

Tform1::~Tform1()
{
    FormDestroy();
}

void Tform1::FormCreate()
{
    FileTitle = QStringLiteral("Unbenannt");
    Mode = modeIdle;
    RandomSource::Instance().SeedFromClock();
    FrameBitmap = QImage();
    FrameScale = 1.0;
    ApplySettings(SettingValues());
    Timer1.stop();
    MakeStartGenerator(Generator);
    Viewer.Depth = kMinFileDepth;
    Viewer.Recalculate();
    ui->tbDepth->setMaximum(kMaxFileDepth);
    ui->tbDepth->setValue(kMinFileDepth);
    Recording = false;
    if (ReadSettings())
        LayoutEditor();
}

void Tform1::FormDestroy()
{
    Timer1.stop();
    if (RecordingSetUp())
        recordDlg->hide();
    // The dialog outlives the window's fields.
    recordDlg->OnStartStop = nullptr;
    recordDlg->OnOk = nullptr;
    recordDlg->OnFinish = nullptr;
    FrameBitmap = QImage();
    WriteSettings();
}

void Tform1::ConnectMenu()
{
    connect(ui->Neu1, &QAction::triggered, this, &Tform1::Neu1Click);
    connect(ui->ffnen1, &QAction::triggered, this, &Tform1::ffnen1Click);
    connect(ui->Speichern1, &QAction::triggered, this, &Tform1::Speichern1Click);
    connect(ui->Exportieren1, &QAction::triggered, this, &Tform1::Exportieren1Click);
    connect(ui->Drucken1, &QAction::triggered, this, &Tform1::Drucken1Click);
    connect(ui->Kopieren1, &QAction::triggered, this, &Tform1::Kopieren1Click);
    connect(ui->Beenden1, &QAction::triggered, this, &Tform1::Beenden1Click);
    connect(ui->Kantehinzufgen1, &QAction::triggered, this, &Tform1::Kantehinzufgen1Click);
    connect(ui->Kantelschen1, &QAction::triggered, this, &Tform1::Kantelschen1Click);
    connect(ui->N1001, &QAction::triggered, this, &Tform1::N1001Click);
    connect(ui->mnuOptions, &QAction::triggered, this, &Tform1::mnuOptionsClick);
    connect(ui->Info1, &QAction::triggered, this, &Tform1::Info1Click);
}

// Setting a control from program code runs its handler as the user's change
// would; SetMode alone keeps "Pause" quiet.
void Tform1::ConnectControls()
{
    connect(ui->tbDepth, &QSlider::valueChanged, this, &Tform1::tbDepthChange);
    connect(ui->optLines, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optLinesClick();
    });
    connect(ui->optPoints, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optPointsClick();
    });
    connect(ui->chkAnimLen, &QCheckBox::toggled, this, &Tform1::chkAnimLenClick);
    connect(ui->chkAnimAng, &QCheckBox::toggled, this, &Tform1::chkAnimAngClick);
    connect(ui->chkPause, &QCheckBox::toggled, this, &Tform1::chkPauseClick);
    connect(ui->Splitter1, &QSplitter::splitterMoved, this, &Tform1::Splitter1Moved);
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &Tform1::Timer1Timer);
}

void Tform1::ConnectPanes()
{
    ui->ptbFract->OnPaint = [this](QPainter& canvas) { ptbFractPaint(canvas); };
    ui->ptbFract->OnMouseDown = [this](Qt::MouseButton b, int x, int y) { ptbFractMouseDown(b, x, y); };
    ui->ptbFract->OnMouseMove = [this](int x, int y) { ptbFractMouseMove(x, y); };
    ui->ptbFract->OnMouseUp = [this](Qt::MouseButton b, int x, int y) { ptbFractMouseUp(b, x, y); };
    ui->ptbEditor->OnPaint = [this](QPainter& canvas) { ptbEditorPaint(canvas); };
    ui->ptbEditor->OnMouseDown = [this](Qt::MouseButton b, int x, int y) { ptbEditorMouseDown(b, x, y); };
    ui->ptbEditor->OnMouseMove = [this](int x, int y) { ptbEditorMouseMove(x, y); };
    ui->ptbEditor->OnMouseUp = [this](Qt::MouseButton b, int x, int y) { ptbEditorMouseUp(b, x, y); };
    ui->ptbEditor->OnResize = [this] { FormResize(); };
}

void Tform1::SetMode(InteractionMode m)
{
    if (m == Mode)
        return;
    // An animation switched on while "Pause" is checked waits for the user.
    if (ui->chkPause->isChecked() && m == modeAnimating)
        return;
    if (m == modeZooming || m == modeAnimating) {
        if (!Timer1.isActive())
            Timer1.start();
    } else {
        Timer1.stop();
    }
    const bool boxesEnabled = m != modeZooming;
    ui->chkPause->setEnabled(boxesEnabled);
    ui->chkAnimLen->setEnabled(boxesEnabled);
    ui->chkAnimAng->setEnabled(boxesEnabled);
    {
        const QSignalBlocker quiet(ui->chkPause);
        ui->chkPause->setChecked(m != modeAnimating);
    }
    Mode = m;
}

void Tform1::CheckAnimation(bool lengths, bool angles)
{
    ui->chkAnimLen->setChecked(lengths);
    ui->chkAnimAng->setChecked(angles);
}

void Tform1::Beenden1Click()
{
    close();
}

void Tform1::Info1Click()
{
    dialogs_.Run(*InfoDlg);
}
