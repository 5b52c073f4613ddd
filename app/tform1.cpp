#include "app/tform1.h"

#include "app/dialogs.h"
#include "app/settings.h"
#include "app/tanimation_dlg.h"
#include "app/tfarben_dlg.h"
#include "app/texport_dlg.h"
#include "app/tinfo_dlg.h"
#include "app/trecord_dlg.h"
#include "model/fract_file.h"
#include "model/random_source.h"
#include "session/fractal_session.h"
#include "ui_tform1.h"

#include <QIcon>
#include <QSignalBlocker>

namespace {
constexpr int kEditorPanelWidth = 209;
} // namespace

Tform1::Tform1(FractalSession& session, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), ui(new Ui::Tform1), session_(session), dialogs_(dialogs), OpenDialog1(this),
      SaveDialog1(this), SavePictureDialog1(this)
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
    ConnectSession();
    SetUpHistory();
    SetUpRecentFiles();
    SetUpGallery();
    setAcceptDrops(true);
    FormCreate();
    InfoDlg = new TInfoDlg(this);
    animationDlg = new TanimationDlg(this, dialogs_);
    farbenDlg = new TfarbenDlg(this, dialogs_);
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
    RandomSource::Instance().SeedFromClock();
    ui->tbDepth->setMaximum(kMaxFileDepth);
    ShowDepth(session_.Depth());
    if (ReadSettings())
        LayoutEditor();
}

void Tform1::FormDestroy()
{
    session_.Timer().stop();
    if (RecordingSetUp())
        recordDlg->hide();
    // The dialog outlives the window's fields.
    recordDlg->OnStartStop = nullptr;
    recordDlg->OnOk = nullptr;
    recordDlg->OnFinish = nullptr;
    disconnect(&session_, nullptr, this, nullptr);
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
    connect(ui->Generatorkopieren1, &QAction::triggered, this, &Tform1::Generatorkopieren1Click);
    connect(ui->Generatoreinfgen1, &QAction::triggered, this, &Tform1::Generatoreinfgen1Click);
    connect(ui->Beenden1, &QAction::triggered, this, &Tform1::Beenden1Click);
    connect(ui->Kantehinzufgen1, &QAction::triggered, this, &Tform1::Kantehinzufgen1Click);
    connect(ui->Kantelschen1, &QAction::triggered, this, &Tform1::Kantelschen1Click);
    connect(ui->N1001, &QAction::triggered, this, &Tform1::N1001Click);
    connect(ui->EndloserZoom1, &QAction::triggered, this, &Tform1::EndloserZoom1Click);
    connect(ui->mnuOptions, &QAction::triggered, this, &Tform1::mnuOptionsClick);
    connect(ui->Farben1, &QAction::triggered, this, &Tform1::Farben1Click);
    connect(ui->Kantenglttung1, &QAction::triggered, this, &Tform1::Kantenglttung1Click);
    connect(ui->Info1, &QAction::triggered, this, &Tform1::Info1Click);
}

// A user's change of a control runs its handler; the session's changes are
// shown on the controls without running them again.
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
    connect(&session_.Timer(), &QTimer::timeout, this, &Tform1::Timer1Timer);
}

void Tform1::ConnectPanes()
{
    ui->ptbFract->OnPaint = [this](QPainter& canvas) { ptbFractPaint(canvas); };
    ui->ptbFract->OnMouseDown = [this](Qt::MouseButton b, int x, int y) { ptbFractMouseDown(b, x, y); };
    ui->ptbFract->OnMouseMove = [this](int x, int y) { ptbFractMouseMove(x, y); };
    ui->ptbFract->OnMouseUp = [this](Qt::MouseButton b, int x, int y) { ptbFractMouseUp(b, x, y); };
    ui->ptbFract->OnWheel = [this](int x, int y, double notches) { ptbFractMouseWheel(x, y, notches); };
    ui->ptbFract->OnResize = [this] {
        session_.SetFractPane(ui->ptbFract->ClientRect().size());
        ShowEndless();
    };
    ui->ptbEditor->OnPaint = [this](QPainter& canvas) { ptbEditorPaint(canvas); };
    ui->ptbEditor->OnMouseDown = [this](Qt::MouseButton b, int x, int y) { ptbEditorMouseDown(b, x, y); };
    ui->ptbEditor->OnMouseMove = [this](int x, int y) { ptbEditorMouseMove(x, y); };
    ui->ptbEditor->OnMouseUp = [this](Qt::MouseButton b, int x, int y) { ptbEditorMouseUp(b, x, y); };
    ui->ptbEditor->OnResize = [this] { FormResize(); };
    session_.SetFractPane(ui->ptbFract->ClientRect().size());
    session_.SetEditorPane(ui->ptbEditor->ClientRect());
}

// A repaint "at once": the panes paint before the session goes on.
void Tform1::ConnectSession()
{
    connect(&session_, &FractalSession::fractChanged, ui->ptbFract, qOverload<>(&QWidget::repaint));
    connect(&session_, &FractalSession::editorChanged, ui->ptbEditor, qOverload<>(&QWidget::repaint));
    connect(&session_, &FractalSession::modeChanged, this, &Tform1::ShowMode);
    connect(&session_, &FractalSession::depthChanged, this, &Tform1::ShowDepth);
    connect(&session_, &FractalSession::linesChanged, this, &Tform1::ShowLines);
    connect(&session_, &FractalSession::animationChanged, this, &Tform1::ShowAnimation);
    connect(&session_, &FractalSession::endlessChanged, this, &Tform1::ShowEndless);
    connect(&session_, &FractalSession::fractChanged, this, &Tform1::ShowEndless);
}

// The timer runs only while zooming or animating, which the session
// decides; during a zoom the animation boxes rest, and Pause is checked
// whenever nothing moves, without running its handler.
void Tform1::ShowMode(InteractionMode m)
{
    const bool boxesEnabled = m != modeZooming;
    ui->chkPause->setEnabled(boxesEnabled);
    ui->chkAnimLen->setEnabled(boxesEnabled);
    ui->chkAnimAng->setEnabled(boxesEnabled);
    const QSignalBlocker quiet(ui->chkPause);
    ui->chkPause->setChecked(m != modeAnimating);
}

void Tform1::ShowDepth(int depth)
{
    const QSignalBlocker quiet(ui->tbDepth);
    ui->tbDepth->setValue(depth);
    ui->lblDepth->setText(QString::number(depth));
}

void Tform1::ShowLines(bool lines)
{
    const QSignalBlocker quietLines(ui->optLines);
    const QSignalBlocker quietPoints(ui->optPoints);
    ui->optLines->setChecked(lines);
    ui->optPoints->setChecked(!lines);
}

void Tform1::ShowAnimation(bool lengths, bool angles)
{
    const QSignalBlocker quietLengths(ui->chkAnimLen);
    const QSignalBlocker quietAngles(ui->chkAnimAng);
    ui->chkAnimLen->setChecked(lengths);
    ui->chkAnimAng->setChecked(angles);
}

void Tform1::Timer1Timer()
{
    session_.Tick();
}

void Tform1::Beenden1Click()
{
    close();
}

void Tform1::Info1Click()
{
    dialogs_.Run(*InfoDlg);
}
