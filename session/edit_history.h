#pragma once

#include "model/complex.h"
#include "model/edge_orientation.h"

#include <QString>
#include <QUndoStack>

#include <functional>
#include <vector>

// What a .fract file holds: the edges with their orientations, the depth
// and the display mode.
struct FractState {
    int Count = 0;
    std::vector<Complex> Items;
    int Depth = 1;
    bool Lines = true;
    // A state made without them has every edge normal.
    std::vector<EdgeOrientation> Orientations{};

    // Slots beyond the edge count play no part.
    bool operator==(const FractState& other) const;
    EdgeOrientation OrientationOf(int edge) const;
};

// The names the menu shows after "Rückgängig:" and "Wiederherstellen:".
namespace EditSteps {
inline const QString kMoveNode = QStringLiteral("Knoten verschieben");
inline const QString kAddEdge = QStringLiteral("Kante hinzufügen");
inline const QString kDeleteEdge = QStringLiteral("Kante löschen");
inline const QString kMirrorEdge = QStringLiteral("Kante spiegeln");
inline const QString kReverseEdge = QStringLiteral("Kante umkehren");
inline const QString kNew = QStringLiteral("Neuer Generator");
inline const QString kDepth = QStringLiteral("Iterationstiefe ändern");
inline const QString kShowLines = QStringLiteral("Linien anzeigen");
inline const QString kShowPoints = QStringLiteral("Punkte anzeigen");
inline const QString kAnimate = QStringLiteral("Generator animieren");
inline const QString kPasteGenerator = QStringLiteral("Generator einfügen");
} // namespace EditSteps

// The steps that can be undone and redone, each a change already made from
// one state to another. A gesture that changes the state many times (a
// drag, the depth slider held, the animation's ticks) records each change
// in a run, and a run is one step from its first change to its end.
class EditHistory {
public:
    // The oldest steps go beyond this many.
    static constexpr int kMostSteps = 1000;

    // restore puts a state back; undoing and redoing call it.
    explicit EditHistory(std::function<void(const FractState&)> restore);

    // A step of its own; nothing when the state did not change.
    void Record(const QString& step, const FractState& before, const FractState& after);
    // A change that joins the step before it while both belong to the same
    // run under the same name; a run back to where it began leaves no step.
    void RecordInRun(const QString& step, const FractState& before, const FractState& after);
    // The next change starts a step of its own.
    void EndRun();

    bool CanUndo() const { return stack_.canUndo(); }
    bool CanRedo() const { return stack_.canRedo(); }
    // The step's name, or an empty text when there is none.
    QString UndoText() const { return stack_.undoText(); }
    QString RedoText() const { return stack_.redoText(); }
    void Undo();
    void Redo();
    // A new history, as after opening a file.
    void Clear();

    // Signals every change of the steps and of the place among them.
    const QUndoStack& Stack() const { return stack_; }

private:
    void Push(const QString& step, const FractState& before, const FractState& after, int run);

    QUndoStack stack_;
    std::function<void(const FractState&)> restore_;
    // Steps outside any run carry run 0.
    int run_ = 1;
};
