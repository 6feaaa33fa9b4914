#include "app/widgets/DetailsValuesPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace channel {

namespace {

// The grid lines before the values: the row heading and the reason.
constexpr int kFirstValueLine = 2;
constexpr int kColumns = 4;

void SetShownText(QLabel* label, const QString& text, bool shown) {
    if (label->text() != text) label->setText(text);
    if (label->isVisibleTo(label->parentWidget()) != shown) label->setVisible(shown);
}

void SetFontStyle(QLabel* label, bool bold, bool italic) {
    QFont font = label->font();
    font.setBold(bold);
    font.setItalic(italic);
    label->setFont(font);
}

void SetTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

}  // namespace

DetailsValuesPanel::DetailsValuesPanel(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    grid_ = new QGridLayout;
    grid_->setHorizontalSpacing(8);
    grid_->setVerticalSpacing(2);
    row_ = NewLabel();
    SetFontStyle(row_, true, false);
    row_->setContentsMargins(0, 0, 0, 6);
    reason_ = NewLabel();
    SetTextColor(reason_, QColor(0xb0, 0x20, 0x20));
    // A reason is one sentence, but may be wider than the values.
    reason_->setWordWrap(true);
    hint_ = NewLabel();
    hint_->setText(QStringLiteral("Ctrl+C 复制数值"));
    SetTextColor(hint_, Qt::gray);
    // Lines of their own reach across the free column too, so a reason
    // wraps at the panel's width, not at the width of the value columns.
    grid_->addWidget(row_, 0, 0, 1, -1);
    grid_->addWidget(reason_, 1, 0, 1, -1);
    grid_->setColumnStretch(kColumns, 1);
    column->addLayout(grid_);
    column->addWidget(hint_);
    column->addStretch(1);
    hint_->show();
}

QLabel* DetailsValuesPanel::NewLabel(Qt::Alignment alignment) {
    auto* label = new QLabel(this);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setFocusPolicy(Qt::NoFocus);
    label->hide();
    return label;
}

DetailsValuesPanel::Line& DetailsValuesPanel::LineAt(int index) {
    while (lines_.size() <= index) {
        const int gridRow = kFirstValueLine + static_cast<int>(lines_.size());
        Line line{NewLabel(), NewLabel(), NewLabel(), NewLabel(Qt::AlignRight), NewLabel()};
        SetFontStyle(line.heading, true, false);
        // A group heading stands a little apart from the group above it.
        line.heading->setContentsMargins(0, 6, 0, 0);
        SetFontStyle(line.symbol, false, true);
        grid_->addWidget(line.heading, gridRow, 0, 1, -1);
        grid_->addWidget(line.name, gridRow, 0);
        grid_->addWidget(line.symbol, gridRow, 1);
        grid_->addWidget(line.number, gridRow, 2);
        grid_->addWidget(line.unit, gridRow, 3);
        lines_.append(line);
    }
    return lines_[index];
}

void DetailsValuesPanel::Show(const SectionDetails& details) {
    SetShownText(row_, details.HasRow() ? QStringLiteral("第 %1 行").arg(details.row) : QString(),
                 details.HasRow());
    SetShownText(reason_, details.reason, !details.reason.isEmpty());
    const int count = static_cast<int>(details.values.size());
    for (int index = 0; index < count; ++index) {
        const SectionDetails::Value& value = details.values[index];
        const Line& line = LineAt(index);
        const bool heading = value.IsHeading();
        SetShownText(line.heading, heading ? value.name : QString(), heading);
        SetShownText(line.name, heading ? QString() : value.name, !heading);
        SetShownText(line.symbol, heading ? QString() : value.symbol, !heading);
        SetShownText(line.number, heading ? QString() : value.number, !heading);
        SetShownText(line.unit, heading ? QString() : value.unit, !heading);
    }
    for (int index = count; index < lines_.size(); ++index) {
        for (QLabel* label : {lines_[index].heading, lines_[index].name, lines_[index].symbol,
                              lines_[index].number, lines_[index].unit}) {
            SetShownText(label, QString(), false);
        }
    }
}

QString DetailsValuesPanel::ShownText() const {
    QStringList shown;
    for (const QLabel* label : {row_, reason_}) {
        if (!label->isHidden()) shown << label->text();
    }
    for (const Line& line : lines_) {
        QStringList cells;
        for (const QLabel* label : {line.heading, line.name, line.symbol, line.number, line.unit}) {
            if (!label->isHidden() && !label->text().isEmpty()) cells << label->text();
        }
        if (!cells.isEmpty()) shown << cells.join(QLatin1Char(' '));
    }
    shown << hint_->text();
    return shown.join(QLatin1Char('\n'));
}

}  // namespace channel
