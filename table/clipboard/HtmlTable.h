#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace channel {

// The text/html table that spreadsheets (LibreOffice Calc, WPS, Excel) take
// from the clipboard beside the plain text: one <tr> per row, one <td> per
// cell, the cells' texts HTML-escaped with line ends as <br>. A spreadsheet
// reads a cell whose text is a plain decimal as a number.
QString ToHtmlTable(const QList<QStringList>& rows);

}  // namespace channel
