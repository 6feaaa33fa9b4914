#include "app/document/TableHistory.h"

#include <QUndoCommand>

namespace channel {

class SnapshotStep : public QUndoCommand {
  public:
    SnapshotStep(TableHistory& history, const QString& text, ElementsTable::Snapshot before,
                 ElementsTable::Snapshot after)
        : QUndoCommand(text),
          history_(history),
          before_(std::move(before)),
          after_(std::move(after)) {}

    void undo() override { history_.Restore(before_); }
    void redo() override {
        // The push itself: the command has already changed the table.
        if (pushed_) history_.Restore(after_);
        pushed_ = true;
    }

  private:
    TableHistory& history_;
    ElementsTable::Snapshot before_;
    ElementsTable::Snapshot after_;
    bool pushed_ = false;
};

TableHistory::TableHistory(ElementsTable& table, QObject* parent)
    : QObject(parent), table_(table) {}

void TableHistory::Record(const QString& text, const ElementsTable::Snapshot& before) {
    ElementsTable::Snapshot after = table_.TakeSnapshot();
    if (after == before) return;
    stack_.push(new SnapshotStep(*this, text, before, std::move(after)));
}

void TableHistory::Restore(const ElementsTable::Snapshot& snapshot) {
    ElementsTable::Snapshot target = snapshot;
    const ElementsTable::Snapshot now = table_.TakeSnapshot();
    if (target.rows == now.rows && target.columns == now.columns) {
        for (int r = 0; r < now.rows; ++r) {
            for (int c = 0; c < now.columns; ++c) {
                if (r >= table_.FixedRows() && c >= table_.FixedColumns()) continue;
                const qsizetype i = static_cast<qsizetype>(r) * now.columns + c;
                target.cells[i] = now.cells[i];
            }
        }
    }
    table_.RestoreSnapshot(target);
}

}  // namespace channel
