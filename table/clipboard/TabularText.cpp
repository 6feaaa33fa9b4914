#include "table/clipboard/TabularText.h"

namespace channel {

namespace {

constexpr QChar kTab = u'\t';
constexpr QChar kQuote = u'"';

bool IsLineEnd(QChar c) {
    return c == u'\n' || c == u'\r';
}
bool EndsCell(QChar c) {
    return c == kTab || IsLineEnd(c);
}

bool NeedsQuotes(const QString& cell) {
    for (QChar c : cell) {
        if (EndsCell(c) || c == kQuote) return true;
    }
    return false;
}

QString Quoted(const QString& cell) {
    QString doubled = cell;
    doubled.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + doubled + kQuote;
}

// Reads a quoted cell starting at `from`. Returns the position just past the
// closing quote, or -1 when the cell there is not a well-formed quoted cell.
qsizetype ReadQuotedCell(const QString& text, qsizetype from, QString* cell) {
    const qsizetype n = text.size();
    if (from >= n || text[from] != kQuote) return -1;
    QString content;
    qsizetype i = from + 1;
    while (i < n) {
        if (text[i] != kQuote) {
            content += text[i++];
            continue;
        }
        if (i + 1 < n && text[i + 1] == kQuote) {
            content += kQuote;
            i += 2;
            continue;
        }
        const qsizetype after = i + 1;
        if (after < n && !EndsCell(text[after])) return -1;
        *cell = content;
        return after;
    }
    return -1;  // no closing quote
}

qsizetype ReadPlainCell(const QString& text, qsizetype from, QString* cell) {
    qsizetype end = from;
    while (end < text.size() && !EndsCell(text[end])) ++end;
    *cell = text.mid(from, end - from);
    return end;
}

}  // namespace

QString ToTabularText(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0) text += kTab;
            text += NeedsQuotes(row[c]) ? Quoted(row[c]) : row[c];
        }
        text += u'\n';
    }
    return text;
}

QList<QStringList> ParseTabularText(const QString& text) {
    QList<QStringList> rows;
    const qsizetype n = text.size();
    if (n == 0) return rows;
    QStringList row;
    qsizetype pos = 0;
    for (;;) {
        QString cell;
        qsizetype next = ReadQuotedCell(text, pos, &cell);
        if (next < 0) next = ReadPlainCell(text, pos, &cell);
        row.append(cell);
        if (next == n) break;
        if (text[next] == kTab) {
            pos = next + 1;
            continue;
        }
        const bool crlf = text[next] == u'\r' && next + 1 < n && text[next + 1] == u'\n';
        pos = next + (crlf ? 2 : 1);
        rows.append(row);
        row.clear();
        if (pos == n) return rows;  // the line end closed the last row
    }
    rows.append(row);
    return rows;
}

}  // namespace channel
