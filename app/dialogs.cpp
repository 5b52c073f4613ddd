#include "app/dialogs.h"

#include "app/messages.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPushButton>

#include <utility>

namespace {

// The answers read as the program's other texts do, whatever language Qt's
// own texts are in.
void LabelButtons(QMessageBox& box)
{
    const std::pair<QMessageBox::StandardButton, const QString&> labels[] = {
        {QMessageBox::Yes, Messages::kYesButton},
        {QMessageBox::No, Messages::kNoButton},
        {QMessageBox::Cancel, Messages::kCancelButton},
    };
    for (const auto& [button, label] : labels)
        if (QAbstractButton* shown = box.button(button))
            shown->setText(label);
}

} // namespace

QMessageBox::StandardButton Dialogs::Message(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                             const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    LabelButtons(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString Dialogs::ChooseFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

std::optional<QColor> Dialogs::ChooseColor(QWidget* parent, const QColor& initial)
{
    const QColor color = QColorDialog::getColor(initial, parent, QString(), QColorDialog::DontUseNativeDialog);
    return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}

bool Dialogs::ConfirmPrint(QPrintDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

int Dialogs::Run(QDialog& dialog)
{
    return dialog.exec();
}

void Dialogs::Warning(QWidget* parent, const QString& text)
{
    Message(parent, QMessageBox::Warning, Messages::kWarningCaption, text, QMessageBox::Ok);
}

void Dialogs::Error(QWidget* parent, const QString& text)
{
    Message(parent, QMessageBox::Critical, Messages::kErrorCaption, text, QMessageBox::Ok);
}

void Dialogs::Failure(QWidget* parent, const QString& text)
{
    Message(parent, QMessageBox::Critical, QStringLiteral("Ornalix"), text, QMessageBox::Ok);
}
