#include "app/document/TableHistory.h"

#include <QJsonObject>
#include <QUndoCommand>
#include <utility>
#include <vector>

namespace channel {

namespace {

// One cell, one row's kept entry or one row's attachment a step changed.
template <typename T>
struct Changed {
    qsizetype at;
    T before;
    T after;
};
using ChangedText = Changed<QString>;
using ChangedAttachment = Changed<QJsonObject>;

// The entries that differ between two lists of the same length.
template <typename T>
std::vector<Changed<T>> Changes(const QList<T>& before, const QList<T>& after) {
    std::vector<Changed<T>> changes;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before[i] != after[i]) changes.push_back({i, before[i], after[i]});
    }
    return changes;
}

// Applies `changes` to `list`, towards their before or after side.
template <typename T>
void Apply(const std::vector<Changed<T>>& changes, bool toBefore, QList<T>& list) {
    for (const Changed<T>& change : changes) {
        if (change.at < list.size()) list[change.at] = toBefore ? change.before : change.after;
    }
}

qint64 BytesOf(const std::vector<ChangedText>& changes) {
    qint64 bytes = 0;
    for (const ChangedText& change : changes)
        bytes += qint64(sizeof(ChangedText)) + (change.before.size() + change.after.size()) * 2;
    return bytes;
}

// Attachments are a few small numbers a row; their count stands for them.
qint64 BytesOf(const std::vector<ChangedAttachment>& changes) {
    return qint64(changes.size()) * qint64(sizeof(ChangedAttachment));
}

qint64 BytesOf(const ElementsTable::Snapshot& snapshot) {
    qint64 bytes = 0;
    for (const QString& text : snapshot.cells) bytes += qint64(sizeof(QString)) + text.size() * 2;
    for (const QString& text : snapshot.keptEntries) bytes += text.size() * 2;
    return bytes;
}

}  // namespace

// One user command: the cells and kept entries it changed, each with its
// text before and after. A command that changed the table's shape keeps both
// whole tables instead.
class ChangeStep : public QUndoCommand {
  public:
    ChangeStep(TableHistory& history, const QString& text, const ElementsTable::Snapshot& before,
               ElementsTable::Snapshot after)
        : QUndoCommand(text), history_(history) {
        if (before.rows == after.rows && before.columns == after.columns &&
            before.cells.size() == after.cells.size() &&
            before.keptEntries.size() == after.keptEntries.size() &&
            before.rowAttachments.size() == after.rowAttachments.size()) {
            cells_ = Changes(before.cells, after.cells);
            keptEntries_ = Changes(before.keptEntries, after.keptEntries);
            attachments_ = Changes(before.rowAttachments, after.rowAttachments);
            bytes_ = BytesOf(cells_) + BytesOf(keptEntries_) + BytesOf(attachments_);
        } else {
            wholeBefore_ = before;
            wholeAfter_ = std::move(after);
            bytes_ = BytesOf(wholeBefore_) + BytesOf(wholeAfter_);
        }
        history_.heldBytes_ += bytes_;
        history_.steps_.push_back(this);
    }
    ~ChangeStep() override {
        history_.heldBytes_ -= bytes_;
        std::erase(history_.steps_, this);
    }
    ChangeStep(const ChangeStep&) = delete;
    ChangeStep& operator=(const ChangeStep&) = delete;

    void undo() override { Apply(true); }
    void redo() override {
        // The push itself: the command has already changed the table.
        if (pushed_) Apply(false);
        pushed_ = true;
    }

    // Lets go of the texts; the step then does nothing and goes from the
    // stack the next time undo reaches it.
    void Forget() {
        cells_.clear();
        keptEntries_.clear();
        attachments_.clear();
        wholeBefore_ = {};
        wholeAfter_ = {};
        history_.heldBytes_ -= bytes_;
        bytes_ = 0;
        setObsolete(true);
    }

  private:
    void Apply(bool toBefore) {
        if (isObsolete()) return;
        if (wholeBefore_.rows > 0) {
            history_.Restore(toBefore ? wholeBefore_ : wholeAfter_);
            return;
        }
        ElementsTable::Snapshot target = history_.table_.TakeSnapshot();
        channel::Apply(cells_, toBefore, target.cells);
        channel::Apply(keptEntries_, toBefore, target.keptEntries);
        channel::Apply(attachments_, toBefore, target.rowAttachments);
        history_.Restore(target);
    }

    TableHistory& history_;
    std::vector<ChangedText> cells_;
    std::vector<ChangedText> keptEntries_;
    std::vector<ChangedAttachment> attachments_;
    ElementsTable::Snapshot wholeBefore_;
    ElementsTable::Snapshot wholeAfter_;
    qint64 bytes_ = 0;
    bool pushed_ = false;
};

TableHistory::TableHistory(ElementsTable& table, QObject* parent) : QObject(parent), table_(table) {
    stack_.setUndoLimit(kMaxSteps);
}

void TableHistory::Record(const QString& text, const ElementsTable::Snapshot& before) {
    ElementsTable::Snapshot after = table_.TakeSnapshot();
    if (after == before) return;
    stack_.push(new ChangeStep(*this, text, before, std::move(after)));
    // The newest step stays whatever its size, so the command just done can
    // always be undone; older ones are let go, oldest first.
    for (size_t i = 0; i + 1 < steps_.size() && heldBytes_ > kMaxBytes; ++i) {
        if (!steps_[i]->isObsolete()) steps_[i]->Forget();
    }
}

void TableHistory::Undo() {
    stack_.undo();
    // Steps that were let go lie at the bottom: undo ends above them.
    while (stack_.canUndo() && stack_.command(stack_.index() - 1)->isObsolete()) stack_.undo();
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
