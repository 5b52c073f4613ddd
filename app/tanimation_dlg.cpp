#include "tanimation_dlg.h"

#include "dialogs.h"
#include "number_text.h"
#include "tform1.h"

#include <QKeyEvent>
#include <QShowEvent>

#include <functional>

namespace {
constexpr int kFewestNodes = 3;
constexpr int kMostNodes = 10;
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

TanimationDlg::TanimationDlg(Tform1* form) : QDialog(form), form_(form)
{
    setupUi(this);
    setFixedSize(size());
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdBgColor, &QPushButton::clicked, this, &TanimationDlg::cmdBgColorClick);
    connect(cmdFgColor, &QPushButton::clicked, this, &TanimationDlg::cmdFgColorClick);
    connect(tbAngRaster, &QSlider::valueChanged, this, &TanimationDlg::tbAngRasterChange);
    connect(tbLenRaster, &QSlider::valueChanged, this, &TanimationDlg::tbLenRasterChange);
    connect(tbMinNodes, &QSlider::valueChanged, this, &TanimationDlg::tbMinNodesChange);
    connect(tbMaxNodes, &QSlider::valueChanged, this, &TanimationDlg::tbMaxNodesChange);
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
    SetSwatchColor(lblFgColor, form_->Viewer.FgColor);
    SetSwatchColor(lblBgColor, form_->Viewer.BgColor);
    txtPenWidth->setText(QString::number(form_->Viewer.PenWidth));
    chkAnimation->setChecked(form_->ZoomAnimation);
    txtSteps->setText(QString::number(form_->ZoomSteps));
    txtDelay->setText(QString::number(form_->Timer1.interval()));
    ShowPosition(tbAngRaster, form_->Editor.AngRaster, [this] { tbAngRasterChange(); });
    ShowPosition(tbLenRaster, form_->Editor.LenRaster, [this] { tbLenRasterChange(); });
    ShowNodeRanges();
    txtMinLength->setText(NumberText(form_->MinLength));
    txtMaxLength->setText(NumberText(form_->MaxLength));
}

// Qt moves the other bound along when a new minimum passes the maximum or the
// other way round. The minimum slider is set first, with its full range up to
// MaxNodes, so its handler only hands the maximum slider a lower bound it can
// take; whatever the handlers did in between, the maximum slider's own range
// and position come last and leave both sliders as stored.
void TanimationDlg::ShowNodeRanges()
{
    tbMinNodes->setRange(kFewestNodes, form_->MaxNodes);
    tbMinNodes->setValue(form_->MinNodes);
    lblMinNodes->setNum(form_->MinNodes);
    tbMaxNodes->setRange(form_->MinNodes, kMostNodes);
    tbMaxNodes->setValue(form_->MaxNodes);
    lblMaxNodes->setNum(form_->MaxNodes);
}

void TanimationDlg::cmdBgColorClick()
{
    ChooseSwatchColor(lblBgColor);
}

void TanimationDlg::cmdFgColorClick()
{
    ChooseSwatchColor(lblFgColor);
}

void TanimationDlg::ChooseSwatchColor(QLabel* swatch)
{
    const std::optional<QColor> chosen = Dialogs::Current().ChooseColor(this, ToQColor(SwatchColor(swatch)));
    if (chosen)
        SetSwatchColor(swatch, FromQColor(*chosen));
}

// One step per turn snaps every angle to the same direction: no raster.
void TanimationDlg::tbAngRasterChange()
{
    const int steps = tbAngRaster->value();
    lblAngRaster->setText(steps <= 1 ? kNoRaster : QStringLiteral("1/%1 Umdrehung").arg(steps));
}

void TanimationDlg::tbLenRasterChange()
{
    const int steps = tbLenRaster->value();
    if (steps == 0)
        lblLenRaster->setText(kNoRaster);
    else if (steps == 1)
        lblLenRaster->setText(QStringLiteral("1 Einheit"));
    else
        lblLenRaster->setText(QStringLiteral("1/%1 Einheit").arg(steps));
}

// Each node slider bounds the other, so the minimum never passes the maximum.
void TanimationDlg::tbMinNodesChange()
{
    lblMinNodes->setNum(tbMinNodes->value());
    tbMaxNodes->setMinimum(tbMinNodes->value());
}

void TanimationDlg::tbMaxNodesChange()
{
    lblMaxNodes->setNum(tbMaxNodes->value());
    tbMinNodes->setMaximum(tbMaxNodes->value());
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
