#pragma once

#include "app/dialogs.h"

#include <QDialog>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Answers the program's questions from a script, and keeps what was asked.
// The window under test is handed one in place of the real dialogs.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        QMessageBox::StandardButtons offered;
    };

    // Message boxes are answered with the queued buttons, then with OK.
    std::deque<QMessageBox::StandardButton> buttons;
    // File dialogs take the queued names; an empty name cancels.
    std::deque<QString> files;
    std::deque<std::optional<QColor>> colors;
    std::deque<bool> printAnswers;
    // An accepted print dialog prints to this PDF file.
    QString printFile;
    int printDialogsShown = 0;
    // The program's own dialogs are shown, handed to the queued script and
    // closed with the script's result.
    std::deque<std::function<int(QDialog&)>> dialogScripts;

    std::vector<Shown> messages;
    // Runs as each message box shows, to look at the program's state then.
    std::function<void(const Shown&)> onMessage;
    int fileDialogsShown = 0;
    std::vector<QString> fileDialogFilters;

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const Shown& m : messages)
            texts << m.text;
        return texts;
    }

    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon icon, const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons offered) override
    {
        messages.push_back({icon, caption, text, offered});
        if (onMessage)
            onMessage(messages.back());
        return Take(buttons, QMessageBox::Ok);
    }

    QString ChooseFile(QFileDialog& dialog) override;

    std::optional<QColor> ChooseColor(QWidget*, const QColor&) override { return Take(colors, std::optional<QColor>()); }

    bool ConfirmPrint(QPrintDialog& dialog) override;

    int Run(QDialog& dialog) override
    {
        if (dialogScripts.empty())
            return QDialog::Rejected;
        auto script = std::move(dialogScripts.front());
        dialogScripts.pop_front();
        dialog.show();
        const int result = script(dialog);
        dialog.hide();
        return result;
    }

private:
    template <typename T>
    static T Take(std::deque<T>& queue, T fallback)
    {
        if (queue.empty())
            return fallback;
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};
