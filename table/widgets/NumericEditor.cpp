#include "table/widgets/NumericEditor.h"

#include <QLineEdit>
#include <algorithm>

#include "table/ElementsTable.h"

namespace channel {

QWidget* TableCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setFrame(false);
        line->setAlignment(Qt::AlignCenter);
        // A longer text from a file still opens whole, but grows no more.
        const qsizetype held = index.data(Qt::EditRole).toString().size();
        line->setMaxLength(static_cast<int>(std::max(ElementsTable::kMaxCellCharacters, held)));
    }
    emit editorCreated(editor);
    return editor;
}

void TableCellDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const auto* table = qobject_cast<const ElementsTable*>(index.model());
    if (!table || !table->IsFixed(index.row(), index.column())) return;
    option->backgroundBrush = QColor(0xe4, 0xec, 0xf6);
    option->palette.setColor(QPalette::Text, QColor(0x1d, 0x3a, 0x5f));
    if (index.row() < table->FixedRows()) option->font.setBold(true);
}

}  // namespace channel
