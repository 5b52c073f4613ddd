#include "app/tanimation_dlg.h"

#include "app/dialogs.h"
#include "model/number_text.h"
#include "ui_tanimation_dlg.h"

#include <QKeyEvent>
#include <QShowEvent>

#include <functional>

namespace {
// The swatch keeps the colour reference it was given, so a desktop colour
// comes back as the same reference and not as the RGB value it has today.
constexpr char kColorProperty[] = "colorRef";

const QString kNoRaster = QStringLiteral("[deaktiviert]");

// The slider's handler runs only when the position changes, yet the label
// beside it has to show the stored value on every showing; the position is
// compared after the slider has kept it within its range.
void ShowPosition(QSlider* slider, int position, const std::function<void()>& handler)
{
    const int before = slider->value();
    slider->setValue(position);
    if (slider->value() == before)
        handler();
}

QString NumberText(double value)
{
    return QString::fromStdString(FormatNumber(value, SystemDecimalSeparator()));
}
} // namespace

TanimationDlg::TanimationDlg(QWidget* parent, Dialogs& dialogs)
    : QDialog(parent), ui(new Ui::TanimationDlg), dialogs_(dialogs)
{
    ui->setupUi(this);
    setFixedSize(size());
    connect(ui->cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->cmdBgColor, &QPushButton::clicked, this, &TanimationDlg::cmdBgColorClick);
    connect(ui->cmdFgColor, &QPushButton::clicked, this, &TanimationDlg::cmdFgColorClick);
    connect(ui->tbAngRaster, &QSlider::valueChanged, this, &TanimationDlg::tbAngRasterChange);
    connect(ui->tbLenRaster, &QSlider::valueChanged, this, &TanimationDlg::tbLenRasterChange);
    connect(ui->tbMinNodes, &QSlider::valueChanged, this, &TanimationDlg::tbMinNodesChange);
    connect(ui->tbMaxNodes, &QSlider::valueChanged, this, &TanimationDlg::tbMaxNodesChange);
}

TanimationDlg::~TanimationDlg() = default;

OptionsEntry TanimationDlg::Entry() const
{
    OptionsEntry entry;
    entry.BgColor = SwatchColor(ui->lblBgColor);
    entry.FgColor = SwatchColor(ui->lblFgColor);
    entry.PenWidth = ui->txtPenWidth->text();
    entry.ZoomAnimation = ui->chkAnimation->isChecked();
    entry.ZoomSteps = ui->txtSteps->text();
    entry.ZoomDelay = ui->txtDelay->text();
    entry.AngRaster = ui->tbAngRaster->value();
    entry.LenRaster = ui->tbLenRaster->value();
    entry.MinNodes = ui->tbMinNodes->value();
    entry.MaxNodes = ui->tbMaxNodes->value();
    entry.MinLength = ui->txtMinLength->text();
    entry.MaxLength = ui->txtMaxLength->text();
    return entry;
}

void TanimationDlg::showEvent(QShowEvent* event)
{
    // A window restored from the task bar is no new showing.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

// "Abbrechen" has no key of its own, so Escape leaves the dialog open.
void TanimationDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TanimationDlg::FormShow()
{
    SetSwatchColor(ui->lblFgColor, values_.FgColor);
    SetSwatchColor(ui->lblBgColor, values_.BgColor);
    ui->txtPenWidth->setText(QString::number(values_.PenWidth));
    ui->chkAnimation->setChecked(values_.ZoomAnimation);
    ui->txtSteps->setText(QString::number(values_.ZoomSteps));
    ui->txtDelay->setText(QString::number(values_.ZoomDelay));
    ShowPosition(ui->tbAngRaster, values_.AngRaster, [this] { tbAngRasterChange(); });
    ShowPosition(ui->tbLenRaster, values_.LenRaster, [this] { tbLenRasterChange(); });
    ShowNodeRanges();
    ui->txtMinLength->setText(NumberText(values_.MinLength));
    ui->txtMaxLength->setText(NumberText(values_.MaxLength));
}

// Qt moves the other bound along when a new minimum passes the maximum or the
// other way round. The minimum slider is set first, with its full range up to
// MaxNodes, so its handler only hands the maximum slider a lower bound it can
// take; whatever the handlers did in between, the maximum slider's own range
// and position come last and leave both sliders as stored.
void TanimationDlg::ShowNodeRanges()
{
    ui->tbMinNodes->setRange(SettingLimits::kFewestNodes, values_.MaxNodes);
    ui->tbMinNodes->setValue(values_.MinNodes);
    ui->lblMinNodes->setNum(values_.MinNodes);
    ui->tbMaxNodes->setRange(values_.MinNodes, SettingLimits::kMostNodes);
    ui->tbMaxNodes->setValue(values_.MaxNodes);
    ui->lblMaxNodes->setNum(values_.MaxNodes);
}

void TanimationDlg::cmdBgColorClick()
{
    ChooseSwatchColor(ui->lblBgColor);
}

void TanimationDlg::cmdFgColorClick()
{
    ChooseSwatchColor(ui->lblFgColor);
}

void TanimationDlg::ChooseSwatchColor(QLabel* swatch)
{
    const std::optional<QColor> chosen = dialogs_.ChooseColor(this, ToQColor(SwatchColor(swatch)));
    if (chosen)
        SetSwatchColor(swatch, FromQColor(*chosen));
}

// One step per turn snaps every angle to the same direction: no raster.
void TanimationDlg::tbAngRasterChange()
{
    const int steps = ui->tbAngRaster->value();
    ui->lblAngRaster->setText(steps <= 1 ? kNoRaster : QStringLiteral("1/%1 Umdrehung").arg(steps));
}

void TanimationDlg::tbLenRasterChange()
{
    const int steps = ui->tbLenRaster->value();
    if (steps == 0)
        ui->lblLenRaster->setText(kNoRaster);
    else if (steps == 1)
        ui->lblLenRaster->setText(QStringLiteral("1 Einheit"));
    else
        ui->lblLenRaster->setText(QStringLiteral("1/%1 Einheit").arg(steps));
}

// Each node slider bounds the other, so the minimum never passes the maximum.
void TanimationDlg::tbMinNodesChange()
{
    ui->lblMinNodes->setNum(ui->tbMinNodes->value());
    ui->tbMaxNodes->setMinimum(ui->tbMinNodes->value());
}

void TanimationDlg::tbMaxNodesChange()
{
    ui->lblMaxNodes->setNum(ui->tbMaxNodes->value());
    ui->tbMinNodes->setMaximum(ui->tbMaxNodes->value());
}

ColorRef TanimationDlg::SwatchColor(const QLabel* swatch)
{
    const QVariant stored = swatch->property(kColorProperty);
    return stored.isValid() ? stored.toUInt() : FromQColor(swatch->palette().color(QPalette::Window));
}

void TanimationDlg::SetSwatchColor(QLabel* swatch, ColorRef color)
{
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    swatch->setPalette(palette);
    swatch->setProperty(kColorProperty, color);
}
