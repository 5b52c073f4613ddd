#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>

#include <optional>

class QDialog;
class QFileDialog;
class QPrintDialog;
class QWidget;

// Every question the program asks goes through here: message boxes, file,
// colour and print dialogs, and the program's own modal dialogs. The tests
// hand the window a scripted stand-in that answers them.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                                const QString& text, QMessageBox::StandardButtons buttons);
    // The chosen file, or an empty text when the user cancels.
    virtual QString ChooseFile(QFileDialog& dialog);
    virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial);
    virtual bool ConfirmPrint(QPrintDialog& dialog);
    // Shows one of the program's own dialogs modally; returns its result.
    virtual int Run(QDialog& dialog);

    // Shortcuts for the boxes the program shows.
    void Warning(QWidget* parent, const QString& text);
    void Error(QWidget* parent, const QString& text);
    // The application's standard box for an unexpected failure.
    void Failure(QWidget* parent, const QString& text);
};
