#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <vector>

#include "table/ElementsTable.h"

namespace channel {

class ChangeStep;

// The undo history of the user's changes to the elements table. Every step
// holds the texts one user command (a committed edit with the calculation it
// started, a paste, a clear) changed, before and after, so whatever the
// command wrote is undone with it.
//
// The history is bounded: at most kMaxSteps steps, and the texts its steps
// hold come to at most kMaxBytes (beyond that the oldest steps are let go,
// though never the newest one).
//
// Undo and redo leave the fixed cells (headings, item numbers and the row
// marker) as they are: the marker follows the current cell, which undo does
// not move.
class TableHistory : public QObject {
    Q_OBJECT
  public:
    static constexpr int kMaxSteps = 1000;
    static constexpr qint64 kMaxBytes = qint64{32} * 1024 * 1024;

    explicit TableHistory(ElementsTable& table, QObject* parent = nullptr);

    // Records the change from `before` to the table as it is now as one step
    // named `text`; nothing is recorded when the table did not change.
    void Record(const QString& text, const ElementsTable::Snapshot& before);

    // Snapshots the table when made and records the step when it goes out
    // of scope, so a command's body needs no changes of its own.
    class Step {
      public:
        Step(TableHistory& history, QString text)
            : history_(history), text_(std::move(text)), before_(history.table_.TakeSnapshot()) {}
        ~Step() { history_.Record(text_, before_); }
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

      private:
        TableHistory& history_;
        QString text_;
        ElementsTable::Snapshot before_;
    };

    void Undo();
    void Redo() { stack_.redo(); }
    bool CanUndo() const { return stack_.canUndo(); }
    bool CanRedo() const { return stack_.canRedo(); }
    // A loaded file starts a new history, saved as it stands.
    void Clear() { stack_.clear(); }
    // The table now matches what was written to the file.
    void MarkSaved() { stack_.setClean(); }
    // The current file may no longer hold any state of the history.
    void ForgetSaved() { stack_.resetClean(); }
    // Whether the table differs from the saved state by a recorded step
    // (undone or redone to a point other than the saved one).
    bool AwayFromSaved() const { return !stack_.isClean(); }

    QUndoStack& Stack() { return stack_; }
    // What the steps' texts take, in bytes (UTF-16).
    qint64 HeldBytes() const { return heldBytes_; }

  private:
    friend class ChangeStep;
    void Restore(const ElementsTable::Snapshot& snapshot);

    ElementsTable& table_;
    qint64 heldBytes_ = 0;
    // The stack's steps, oldest first (it hands them out as const only).
    std::vector<ChangeStep*> steps_;
    // Last: its steps, removed as it goes, still count down heldBytes_.
    QUndoStack stack_;
};

}  // namespace channel
