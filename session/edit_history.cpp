#include "session/edit_history.h"

#include <QUndoCommand>

#include <algorithm>
#include <utility>

bool FractState::operator==(const FractState& other) const
{
    if (Count != other.Count || Depth != other.Depth || Lines != other.Lines)
        return false;
    for (int k = 0; k < Count; ++k)
        if (Items[k].Re != other.Items[k].Re || Items[k].Im != other.Items[k].Im
            || OrientationOf(k) != other.OrientationOf(k))
            return false;
    return true;
}

EdgeOrientation FractState::OrientationOf(int edge) const
{
    return edge < static_cast<int>(Orientations.size()) ? Orientations[edge] : EdgeOrientation::Normal;
}

namespace {

// Every change of a run shares this id, so that the stack offers each to
// the step before it.
constexpr int kRunId = 1;

// A change already made: the stack's first redo, as it takes the step, has
// nothing left to do.
class FractEdit : public QUndoCommand {
public:
    FractEdit(const QString& step, const FractState& before, const FractState& after, int run,
              const std::function<void(const FractState&)>& restore)
        : QUndoCommand(step), before_(before), after_(after), run_(run), restore_(restore)
    {
    }

    void undo() override { restore_(before_); }

    void redo() override
    {
        if (made_)
            restore_(after_);
        made_ = true;
    }

    int id() const override { return run_ == 0 ? -1 : kRunId; }

    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const FractEdit*>(other);
        if (next->run_ != run_ || next->text() != text())
            return false;
        after_ = next->after_;
        setObsolete(after_ == before_);
        return true;
    }

private:
    FractState before_;
    FractState after_;
    int run_;
    std::function<void(const FractState&)> restore_;
    bool made_ = false;
};

} // namespace

EditHistory::EditHistory(std::function<void(const FractState&)> restore) : restore_(std::move(restore))
{
    stack_.setUndoLimit(kMostSteps);
}

void EditHistory::Record(const QString& step, const FractState& before, const FractState& after)
{
    EndRun();
    Push(step, before, after, 0);
}

void EditHistory::RecordInRun(const QString& step, const FractState& before, const FractState& after)
{
    Push(step, before, after, run_);
}

void EditHistory::EndRun()
{
    ++run_;
}

void EditHistory::Push(const QString& step, const FractState& before, const FractState& after, int run)
{
    if (before == after)
        return;
    stack_.push(new FractEdit(step, before, after, run, restore_));
}

void EditHistory::Undo()
{
    EndRun();
    stack_.undo();
}

void EditHistory::Redo()
{
    EndRun();
    stack_.redo();
}

void EditHistory::Clear()
{
    EndRun();
    stack_.clear();
}
