#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace channel {

// The tab-separated text that spreadsheets (LibreOffice Calc, WPS, Excel)
// put on and take from the clipboard: cells separated by tabs, rows ended by
// a line end. A cell that holds a tab, a line end or a double quote is
// written inside double quotes, with each quote in it doubled.

// Every row, the last one included, ends in "\n"; Qt turns that into the
// platform's line end on the clipboard. No rows give "".
QString ToTabularText(const QList<QStringList>& rows);

// Reads "\r\n", "\n" and "\r" as line ends and drops one line end at the very
// end of the text. A cell is read as quoted only when it starts with a quote
// and its closing quote is followed by a tab, a line end or the end of the
// text; anything else, stray quotes included, is taken literally. Rows keep
// the number of cells they have, so the result may be ragged. "" gives no
// rows.
QList<QStringList> ParseTabularText(const QString& text);

}  // namespace channel
