#include "hydraulics/RowRecalculation.h"

#include "hydraulics/CalculationMessages.h"
#include "hydraulics/RowInputs.h"

namespace channel {

namespace {

namespace msg = calculation_messages;

// The summary entry for a row whose calculation ended with `message`.
QString Problem(int row, const QString& message) {
    const QString label = QString::fromUtf8(msg::kRowLabel).arg(row);
    return message.startsWith(label) ? message
                                     : QString::fromUtf8(msg::kRowProblem).arg(label, message);
}

void RecalculateRows(CalculationContext& context, const std::vector<int>& rows,
                     bool depthKnownMode) {
    QString lastMessage;
    CalculationContext quiet{context.table, context.workingRecord, context.targetDischarge,
                             [&lastMessage](const QString& text) { lastMessage = text; }};
    const QString welcome = QString::fromUtf8(msg::kWelcome);
    QStringList problems;
    for (int row : rows) {
        lastMessage.clear();
        CalculateRow(quiet, row, depthKnownMode);
        if (lastMessage != welcome) problems << Problem(row, lastMessage);
    }
    if (!context.showStatus) return;
    const int count = static_cast<int>(rows.size());
    context.showStatus(problems.isEmpty() ? QString::fromUtf8(msg::kRecalculatedAll).arg(count)
                                          : QString::fromUtf8(msg::kRecalculatedWithProblems)
                                                .arg(count)
                                                .arg(problems.size())
                                                .arg(problems.join(QString())));
}

}  // namespace

std::vector<int> CompleteRows(const ElementsTable& table) {
    std::vector<int> rows;
    for (int row = table.FixedRows(); row < table.RowCount(); ++row)
        if (!ReadRowInputs(table, row).FirstMissing()) rows.push_back(row);
    return rows;
}

void RecalculateAllRows(CalculationContext& context, bool depthKnownMode) {
    const std::vector<int> rows = CompleteRows(context.table);
    if (rows.empty()) {
        if (context.showStatus) context.showStatus(QString::fromUtf8(msg::kNothingToRecalculate));
        return;
    }
    RecalculateRows(context, rows, depthKnownMode);
}

void RecalculateChangedRows(CalculationContext& context, const QStringList& cellsBefore,
                            bool depthKnownMode) {
    const ElementsTable& table = context.table;
    if (cellsBefore.size() != table.Cells().size()) return;
    std::vector<int> changed;
    for (int row : CompleteRows(table)) {
        for (int column = 0; column < table.ColumnCount(); ++column) {
            const qsizetype index = static_cast<qsizetype>(row) * table.ColumnCount() + column;
            if (MayBeRead(column, depthKnownMode) &&
                cellsBefore[index] != table.GetCellText(row, column)) {
                changed.push_back(row);
                break;
            }
        }
    }
    if (!changed.empty()) RecalculateRows(context, changed, depthKnownMode);
}

}  // namespace channel
