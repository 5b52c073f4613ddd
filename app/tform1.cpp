#include "tform1.h"

#include "dialogs.h"
#include "random_source.h"
#include "start_generator.h"
#include "tanimation_dlg.h"
#include "texport_dlg.h"
#include "tinfo_dlg.h"

#include <QIcon>
#include <QSignalBlocker>

namespace {
constexpr int kDefaultInterval = 15;
constexpr int kEditorPanelWidth = 209;
} // namespace

Tform1::Tform1(QWidget* parent) : QMainWindow(parent)
{
    // The pictures are built into the window's library, which the linker
    // would otherwise leave out.
    Q_INIT_RESOURCE(ornalix);
    setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/ornalix.png")));
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setCollapsible(1, false);
    Splitter1->setSizes({kEditorPanelWidth, width() - kEditorPanelWidth});
    SetUpFileDialogs();
    ConnectMenu();
    ConnectControls();
    ConnectPanes();
    FormCreate();
    InfoDlg = new TInfoDlg(this);
    animationDlg = new TanimationDlg(this);
    exportDlg = new TexportDlg(this);
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
    ZoomAnimation = true;
    ZoomSteps = 60;
    Timer1.setInterval(kDefaultInterval);
    Timer1.stop();
    MakeStartGenerator(Generator);
    Viewer.Depth = 1;
    Viewer.Recalculate();
    tbDepth->setMaximum(8);
    tbDepth->setValue(1);
    Recording = false;
    MinNodes = 3;
    MaxNodes = 5;
    MinLength = 0.5;
    MaxLength = 2.0;
    ExportWidth = 256;
    ExportHeight = 256;
    if (ReadSettings())
        LayoutEditor();
}

void Tform1::FormDestroy()
{
    Timer1.stop();
    FrameBitmap = QImage();
    WriteSettings();
}

void Tform1::ConnectMenu()
{
    connect(Neu1, &QAction::triggered, this, &Tform1::Neu1Click);
    connect(ffnen1, &QAction::triggered, this, &Tform1::ffnen1Click);
    connect(Speichern1, &QAction::triggered, this, &Tform1::Speichern1Click);
    connect(Exportieren1, &QAction::triggered, this, &Tform1::Exportieren1Click);
    connect(Drucken1, &QAction::triggered, this, &Tform1::Drucken1Click);
    connect(Kopieren1, &QAction::triggered, this, &Tform1::Kopieren1Click);
    connect(Beenden1, &QAction::triggered, this, &Tform1::Beenden1Click);
    connect(Kantehinzufgen1, &QAction::triggered, this, &Tform1::Kantehinzufgen1Click);
    connect(Kantelschen1, &QAction::triggered, this, &Tform1::Kantelschen1Click);
    connect(N1001, &QAction::triggered, this, &Tform1::N1001Click);
    connect(mnuOptions, &QAction::triggered, this, &Tform1::mnuOptionsClick);
    connect(Info1, &QAction::triggered, this, &Tform1::Info1Click);
}

// Setting a control from program code runs its handler as the user's change
// would; SetMode alone keeps "Pause" quiet.
void Tform1::ConnectControls()
{
    connect(tbDepth, &QSlider::valueChanged, this, &Tform1::tbDepthChange);
    connect(optLines, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optLinesClick();
    });
    connect(optPoints, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optPointsClick();
    });
    connect(chkAnimLen, &QCheckBox::toggled, this, &Tform1::chkAnimLenClick);
    connect(chkAnimAng, &QCheckBox::toggled, this, &Tform1::chkAnimAngClick);
    connect(chkPause, &QCheckBox::toggled, this, &Tform1::chkPauseClick);
    connect(Splitter1, &QSplitter::splitterMoved, this, &Tform1::Splitter1Moved);
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &Tform1::Timer1Timer);
}

void Tform1::ConnectPanes()
{
    ptbFract->OnPaint = [this](QPainter& canvas) { ptbFractPaint(canvas); };
    ptbFract->OnMouseDown = [this](Qt::MouseButton b, int x, int y) { ptbFractMouseDown(b, x, y); };
    ptbFract->OnMouseMove = [this](int x, int y) { ptbFractMouseMove(x, y); };
    ptbFract->OnMouseUp = [this](Qt::MouseButton b, int x, int y) { ptbFractMouseUp(b, x, y); };
    ptbEditor->OnPaint = [this](QPainter& canvas) { ptbEditorPaint(canvas); };
    ptbEditor->OnMouseDown = [this](Qt::MouseButton b, int x, int y) { ptbEditorMouseDown(b, x, y); };
    ptbEditor->OnMouseMove = [this](int x, int y) { ptbEditorMouseMove(x, y); };
    ptbEditor->OnMouseUp = [this](Qt::MouseButton b, int x, int y) { ptbEditorMouseUp(b, x, y); };
    ptbEditor->OnResize = [this] { FormResize(); };
}

void Tform1::SetMode(InteractionMode m)
{
    if (m == Mode)
        return;
    // An animation switched on while "Pause" is checked waits for the user.
    if (chkPause->isChecked() && m == modeAnimating)
        return;
    if (m == modeZooming || m == modeAnimating) {
        if (!Timer1.isActive())
            Timer1.start();
    } else {
        Timer1.stop();
    }
    const bool boxesEnabled = m != modeZooming;
    chkPause->setEnabled(boxesEnabled);
    chkAnimLen->setEnabled(boxesEnabled);
    chkAnimAng->setEnabled(boxesEnabled);
    {
        const QSignalBlocker quiet(chkPause);
        chkPause->setChecked(m != modeAnimating);
    }
    Mode = m;
}

void Tform1::Beenden1Click()
{
    close();
}

void Tform1::Info1Click()
{
    Dialogs::Current().Run(*InfoDlg);
}
