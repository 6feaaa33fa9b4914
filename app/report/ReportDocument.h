#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QTextDocument>
#include <memory>

#include "files/ReportInfo.h"

namespace channel {

class ElementsTable;

// What a calculation report is made of.
struct ReportRequest {
    const ElementsTable& table;
    QList<int> rows;  // ReportedRows
    ReportInfo info;
    QString fileName;     // the element file; empty when not saved yet
    bool depthKnownMode;  // the mode the rows are calculated in now
    QDate today;          // the date when the information gives none
};

// The report as a rich-text document (QtGui only, so it is built and
// checked without a window), and the text of its running page header.
struct CalculationReport {
    std::unique_ptr<QTextDocument> document;
    QString header;
};

// The section rows a report covers: those holding results, among the rows
// of the selection when it spans more than one cell, else among all rows.
QList<int> ReportedRows(const ElementsTable& table);

// The title block, the method, for each row its inputs as typed and as
// read, the mode, each formula with its numbers and result, every value of
// 断面详情, the cross-section and the rating curve; then a summary table.
CalculationReport BuildReport(const ReportRequest& request);

}  // namespace channel
