#include "tform1.h"

#include "dialogs.h"
#include "messages.h"
#include "number_text.h"
#include "tanimation_dlg.h"

#include <QLineEdit>

namespace {

constexpr int kMinPenWidth = 1;
constexpr int kMaxPenWidth = 10;
constexpr double kLongestEdge = 10.0;

// A field that holds no number of the kind wanted ends the applying.
struct NotANumber {};

int IntegerOf(const QLineEdit* field)
{
    const auto value = ParseDecimalInteger(field->text().toStdString());
    if (!value)
        throw NotANumber();
    return *value;
}

double NumberOf(const QLineEdit* field)
{
    const auto value = ParseNumber(field->text().toStdString(), SystemDecimalSeparator());
    if (!value)
        throw NotANumber();
    return *value;
}

} // namespace

// Applies the dialog field by field: a value out of range is reported and
// skipped, a field without a number stops the applying there, and what was
// applied before stays.
void Tform1::mnuOptionsClick()
{
    TanimationDlg& d = *animationDlg;
    if (Dialogs::Current().Run(d) != QDialog::Accepted)
        return;
    Dialogs& dialogs = Dialogs::Current();
    try {
        Viewer.BgColor = TanimationDlg::SwatchColor(d.lblBgColor);
        Viewer.FgColor = TanimationDlg::SwatchColor(d.lblFgColor);
        const int penWidth = IntegerOf(d.txtPenWidth);
        if (penWidth >= kMinPenWidth && penWidth <= kMaxPenWidth)
            Viewer.PenWidth = penWidth;
        else
            dialogs.Warning(this, Messages::kInvalidPenWidth);
        ptbFract->repaint();

        ZoomAnimation = d.chkAnimation->isChecked();
        const int steps = IntegerOf(d.txtSteps);
        if (steps >= 1)
            ZoomSteps = steps;
        else
            dialogs.Warning(this, Messages::kInvalidSteps);
        const int delay = IntegerOf(d.txtDelay);
        if (delay >= 1)
            Timer1.setInterval(delay);
        else
            dialogs.Warning(this, Messages::kInvalidInterval);

        Editor.AngRaster = d.tbAngRaster->value();
        Editor.LenRaster = d.tbLenRaster->value();
        MinNodes = d.tbMinNodes->value();
        MaxNodes = d.tbMaxNodes->value();

        const double a = NumberOf(d.txtMinLength);
        const double b = NumberOf(d.txtMaxLength);
        if (0 < a && a < b && b < kLongestEdge) {
            MinLength = a;
            MaxLength = b;
        } else {
            dialogs.Warning(this, Messages::kInvalidLengthRange);
        }
    } catch (const NotANumber&) {
        dialogs.Warning(this, Messages::kInvalidNumber);
    }
}
