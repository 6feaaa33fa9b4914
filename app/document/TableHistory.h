#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "table/ElementsTable.h"

namespace channel {

// The undo history of the user's changes to the elements table. Every step
// holds the whole table before and after one user command (a committed edit
// with the calculation it started, a paste, a clear), so whatever the
// command wrote is undone with it.
//
// Undo and redo leave the fixed cells (headings, item numbers and the row
// marker) as they are: the marker follows the current cell, which undo does
// not move.
class TableHistory : public QObject {
    Q_OBJECT
  public:
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

    void Undo() { stack_.undo(); }
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

  private:
    friend class SnapshotStep;
    void Restore(const ElementsTable::Snapshot& snapshot);

    ElementsTable& table_;
    QUndoStack stack_;
};

}  // namespace channel
