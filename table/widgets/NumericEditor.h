#pragma once

#include <QStyledItemDelegate>

namespace channel {

// Editors and cell looks for the table. The editor takes every character the
// user types, in every column: a text that is not a number stays as typed
// and the calculation says so, which is safer than dropping characters and
// turning "1/2000" into 12000. It takes at most
// ElementsTable::kMaxCellCharacters (or the longer text a file put in the
// cell).
class TableCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

  protected:
    // Fixed cells (headings and item numbers) are drawn like header sections.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

  signals:
    void editorCreated(QWidget* editor) const;
};

}  // namespace channel
