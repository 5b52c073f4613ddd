#include "app/tfarben_dlg.h"

#include "app/dialogs.h"
#include "ui_tfarben_dlg.h"

#include <QImage>
#include <QPixmap>

#include <algorithm>

namespace {

// The preview strip shows this many columns, one step of the gradient each.
constexpr int kPreviewSteps = kGradientSteps;

QString StopText(const GradientStop& stop)
{
    return QString::number(stop.Position, 'f', 3) + QStringLiteral("  ") + ToQColor(stop.Color).name();
}

void PaintButton(QPushButton* button, ColorRef color)
{
    button->setStyleSheet(QStringLiteral("background-color: %1").arg(ToQColor(color).name()));
}

void SortStops(std::vector<GradientStop>& stops)
{
    std::stable_sort(stops.begin(), stops.end(),
                     [](const GradientStop& a, const GradientStop& b) { return a.Position < b.Position; });
}

} // namespace

TfarbenDlg::TfarbenDlg(QWidget* parent, Dialogs& dialogs) : QDialog(parent), ui(new Ui::TfarbenDlg), dialogs_(dialogs)
{
    ui->setupUi(this);
    setFixedSize(size());
    ui->txtRepeats->setMaximum(kMaxGradientRepeats);
    ui->txtLevel->setMaximum(kMaxEdgeLevel);
    edgeButtons_ = {ui->cmdEdge1, ui->cmdEdge2, ui->cmdEdge3, ui->cmdEdge4,
                    ui->cmdEdge5, ui->cmdEdge6, ui->cmdEdge7, ui->cmdEdge8};
    for (int edge = 0; edge < kEdgeColorCount; ++edge)
        connect(edgeButtons_[static_cast<std::size_t>(edge)], &QPushButton::clicked, this,
                [this, edge] { cmdEdgeClick(edge); });
    for (QRadioButton* mode : {ui->optEinfarbig, ui->optFarbverlauf, ui->optNachKante})
        connect(mode, &QRadioButton::toggled, this, &TfarbenDlg::ModeChange);
    connect(ui->lstStops, &QListWidget::currentRowChanged, this, &TfarbenDlg::lstStopsChange);
    connect(ui->txtPosition, &QDoubleSpinBox::valueChanged, this, &TfarbenDlg::txtPositionChange);
    connect(ui->cmdStopColor, &QPushButton::clicked, this, &TfarbenDlg::cmdStopColorClick);
    connect(ui->cmdAddStop, &QPushButton::clicked, this, &TfarbenDlg::cmdAddStopClick);
    connect(ui->cmdDeleteStop, &QPushButton::clicked, this, &TfarbenDlg::cmdDeleteStopClick);
    connect(ui->cboPreset, &QComboBox::activated, this, &TfarbenDlg::cboPresetChange);
    connect(ui->txtRepeats, &QSpinBox::valueChanged, this, [this](int repeats) {
        if (!showing_)
            coloring_.Repeats = repeats;
    });
    connect(ui->txtLevel, &QSpinBox::valueChanged, this, [this](int level) {
        if (!showing_)
            coloring_.EdgeLevel = level;
    });
    connect(ui->cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TfarbenDlg::~TfarbenDlg() = default;

std::vector<GradientStop> TfarbenDlg::Preset(int index)
{
    switch (index) {
    case 0:
        return CurveColoring::DefaultStops();
    case 1:
        return {{0.0, RgbColor(0, 0, 0)},
                {0.35, RgbColor(160, 0, 0)},
                {0.65, RgbColor(255, 128, 0)},
                {0.85, RgbColor(255, 230, 64)},
                {1.0, RgbColor(255, 255, 224)}};
    default:
        return {{0.0, RgbColor(8, 24, 64)}, {0.4, RgbColor(32, 96, 192)}, {0.75, RgbColor(96, 208, 232)},
                {1.0, RgbColor(240, 252, 255)}};
    }
}

void TfarbenDlg::SetColoring(const CurveColoring& coloring)
{
    coloring_ = coloring;
    ShowColoring();
}

void TfarbenDlg::ShowColoring()
{
    showing_ = true;
    ui->optEinfarbig->setChecked(coloring_.Kind == CurveColoring::Mode::Single);
    ui->optFarbverlauf->setChecked(coloring_.Kind == CurveColoring::Mode::Gradient);
    ui->optNachKante->setChecked(coloring_.Kind == CurveColoring::Mode::Edges);
    ui->txtRepeats->setValue(coloring_.Repeats);
    ui->txtLevel->setValue(coloring_.EdgeLevel);
    showing_ = false;
    ShowStops(0);
    ShowEdgeColors();
    ModeChange();
}

void TfarbenDlg::ShowStops(int selected)
{
    showing_ = true;
    ui->lstStops->clear();
    for (const GradientStop& stop : coloring_.Stops)
        ui->lstStops->addItem(StopText(stop));
    ui->lstStops->setCurrentRow(selected);
    ui->txtPosition->setValue(coloring_.Stops[static_cast<std::size_t>(selected)].Position);
    ui->cmdAddStop->setEnabled(static_cast<int>(coloring_.Stops.size()) < kMaxGradientStops);
    ui->cmdDeleteStop->setEnabled(static_cast<int>(coloring_.Stops.size()) > kMinGradientStops);
    ShowPreset();
    showing_ = false;
    ShowPreview();
}

// The preset the stops are, or none, when the box reads "(eigene)".
void TfarbenDlg::ShowPreset()
{
    int shown = -1;
    for (int preset = 0; preset < ui->cboPreset->count(); ++preset)
        shown = Preset(preset) == coloring_.Stops ? preset : shown;
    ui->cboPreset->setCurrentIndex(shown);
}

void TfarbenDlg::ShowPreview()
{
    QImage strip(kPreviewSteps, 1, QImage::Format_RGB32);
    for (int x = 0; x < kPreviewSteps; ++x)
        strip.setPixel(x, 0, ToQColor(coloring_.GradientAt(static_cast<double>(x) / (kPreviewSteps - 1))).rgb());
    ui->lblPreview->setPixmap(QPixmap::fromImage(strip));
}

void TfarbenDlg::ShowEdgeColors()
{
    for (int edge = 0; edge < kEdgeColorCount; ++edge)
        PaintButton(edgeButtons_[static_cast<std::size_t>(edge)], coloring_.EdgeColors[static_cast<std::size_t>(edge)]);
}

int TfarbenDlg::SelectedStop() const
{
    return std::clamp(ui->lstStops->currentRow(), 0, static_cast<int>(coloring_.Stops.size()) - 1);
}

void TfarbenDlg::ModeChange()
{
    if (!showing_) {
        coloring_.Kind = ui->optFarbverlauf->isChecked() ? CurveColoring::Mode::Gradient
                         : ui->optNachKante->isChecked() ? CurveColoring::Mode::Edges
                                                         : CurveColoring::Mode::Single;
    }
    ui->grpGradient->setEnabled(coloring_.Kind == CurveColoring::Mode::Gradient);
    ui->grpEdges->setEnabled(coloring_.Kind == CurveColoring::Mode::Edges);
}

void TfarbenDlg::lstStopsChange()
{
    if (showing_ || ui->lstStops->currentRow() < 0)
        return;
    showing_ = true;
    ui->txtPosition->setValue(coloring_.Stops[static_cast<std::size_t>(SelectedStop())].Position);
    showing_ = false;
}

// A stop moved past another takes its place in the order, and stays
// selected.
void TfarbenDlg::txtPositionChange()
{
    if (showing_)
        return;
    GradientStop& stop = coloring_.Stops[static_cast<std::size_t>(SelectedStop())];
    stop.Position = ui->txtPosition->value();
    const GradientStop moved = stop;
    SortStops(coloring_.Stops);
    const auto at = std::find(coloring_.Stops.begin(), coloring_.Stops.end(), moved);
    ShowStops(static_cast<int>(at - coloring_.Stops.begin()));
}

void TfarbenDlg::cmdStopColorClick()
{
    GradientStop& stop = coloring_.Stops[static_cast<std::size_t>(SelectedStop())];
    const std::optional<QColor> chosen = dialogs_.ChooseColor(this, ToQColor(stop.Color));
    if (!chosen)
        return;
    stop.Color = FromQColor(*chosen);
    ShowStops(SelectedStop());
}

// The new stop halves the gap after the selected one (before it, for the
// last), in the colour the gradient has there, so nothing changes until it
// is moved or coloured.
void TfarbenDlg::cmdAddStopClick()
{
    if (static_cast<int>(coloring_.Stops.size()) >= kMaxGradientStops)
        return;
    const int selected = SelectedStop();
    const int other = selected + 1 < static_cast<int>(coloring_.Stops.size()) ? selected + 1 : selected - 1;
    const double position = (coloring_.Stops[static_cast<std::size_t>(selected)].Position
                             + coloring_.Stops[static_cast<std::size_t>(other)].Position)
                            / 2;
    const GradientStop added{position, coloring_.GradientAt(position)};
    coloring_.Stops.push_back(added);
    SortStops(coloring_.Stops);
    ShowStops(static_cast<int>(std::find(coloring_.Stops.begin(), coloring_.Stops.end(), added) - coloring_.Stops.begin()));
}

void TfarbenDlg::cmdDeleteStopClick()
{
    if (static_cast<int>(coloring_.Stops.size()) <= kMinGradientStops)
        return;
    const int selected = SelectedStop();
    coloring_.Stops.erase(coloring_.Stops.begin() + selected);
    ShowStops(std::min(selected, static_cast<int>(coloring_.Stops.size()) - 1));
}

void TfarbenDlg::cboPresetChange()
{
    coloring_.Stops = Preset(ui->cboPreset->currentIndex());
    ShowStops(0);
}

void TfarbenDlg::cmdEdgeClick(int edge)
{
    ColorRef& color = coloring_.EdgeColors[static_cast<std::size_t>(edge)];
    const std::optional<QColor> chosen = dialogs_.ChooseColor(this, ToQColor(color));
    if (!chosen)
        return;
    color = FromQColor(*chosen);
    ShowEdgeColors();
}
