#include "table/widgets/NumericEditor.h"

#include <QLineEdit>

#include "table/ElementsTable.h"

bool DecimalCharactersValidator::IsDecimalCharacter(QChar c) {
    static const QString kAllowed = QStringLiteral("0123456789+-.eE ０１２３４５６７８９．－＋");
    return kAllowed.contains(c);
}

QValidator::State DecimalCharactersValidator::validate(QString& input, int&) const {
    for (QChar c : input)
        if (!IsDecimalCharacter(c)) return Invalid;
    return Acceptable;
}

QWidget* TableCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    const auto* table = qobject_cast<const ElementsTable*>(index.model());
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setFrame(false);
        line->setAlignment(Qt::AlignCenter);
        if (table && table->ColumnKind(index.column()) == ElementsTable::kNumericKind)
            line->setValidator(new DecimalCharactersValidator(line));
    }
    emit editorCreated(editor);
    return editor;
}

void TableCellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const auto* table = qobject_cast<const ElementsTable*>(index.model());
    if (!table || !table->IsFixed(index.row(), index.column())) return;
    option->backgroundBrush = QColor(0xe4, 0xec, 0xf6);
    option->palette.setColor(QPalette::Text, QColor(0x1d, 0x3a, 0x5f));
    if (index.row() < table->FixedRows()) option->font.setBold(true);
}
