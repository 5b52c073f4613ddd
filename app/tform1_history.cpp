#include "app/tform1.h"

#include "session/fractal_session.h"
#include "ui_tform1.h"

#include <QKeyEvent>

namespace {

const QString kUndoCaption = QStringLiteral("&Rückgängig");
const QString kRedoCaption = QStringLiteral("&Wiederherstellen");

// The caption with the step it would undo or redo.
QString StepCaption(const QString& caption, const QString& step)
{
    return step.isEmpty() ? caption : caption + QStringLiteral(": ") + step;
}

// A new gesture on the depth slider: a press, a key (its repeats while held
// belong to it), a turn of the wheel.
bool BeginsGesture(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        return true;
    case QEvent::KeyPress:
        return !static_cast<const QKeyEvent&>(event).isAutoRepeat();
    default:
        return false;
    }
}

} // namespace

void Tform1::SetUpHistory()
{
    // Beside Ctrl+Y, the other key people know for redo.
    QAction* redo = ui->Wiederherstellen1;
    redo->setShortcuts({redo->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(ui->Rckgngig1, &QAction::triggered, this, &Tform1::Rckgngig1Click);
    connect(ui->Wiederherstellen1, &QAction::triggered, this, &Tform1::Wiederherstellen1Click);
    connect(&session_, &FractalSession::historyChanged, this, &Tform1::ShowHistory);
    ui->tbDepth->installEventFilter(this);
    ShowHistory();
}

void Tform1::Rckgngig1Click()
{
    session_.Undo();
}

void Tform1::Wiederherstellen1Click()
{
    session_.Redo();
}

void Tform1::ShowHistory()
{
    const EditHistory& history = session_.History();
    ui->Rckgngig1->setText(StepCaption(kUndoCaption, history.UndoText()));
    ui->Rckgngig1->setEnabled(history.CanUndo());
    ui->Wiederherstellen1->setText(StepCaption(kRedoCaption, history.RedoText()));
    ui->Wiederherstellen1->setEnabled(history.CanRedo());
}

// All the ticks of one gesture on the depth slider are one step.
bool Tform1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->tbDepth && BeginsGesture(*event))
        session_.BeginStep();
    return QMainWindow::eventFilter(watched, event);
}
