#pragma once

#include <QStyledItemDelegate>
#include <QValidator>

// Lets through only what can form a decimal number: digits, sign, point,
// exponent and blanks, plus the full-width digits, point and signs that a
// Chinese input method types. Text placed by paste or file is not affected.
class DecimalCharactersValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
    static bool IsDecimalCharacter(QChar c);
};

// Editors and cell looks for the table: numeric columns get the validator
// above.
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
