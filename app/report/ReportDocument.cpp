#include "app/report/ReportDocument.h"

#include <QFileInfo>
#include <QStringList>
#include <QTextOption>
#include <QUrl>
#include <iterator>

#include "app/core/SectionDetails.h"
#include "app/report/ReportFigures.h"
#include "app/report/ReportFont.h"
#include "app/report/ReportFormulas.h"
#include "app/report/ReportTexts.h"
#include "hydraulics/RowInputs.h"
#include "table/CellText.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"

namespace channel {

using namespace elements_table;  // the columns
namespace text = report_text;

namespace {

// Widths on the page, in the document's pixels (1/96 inch): the A4 text
// width is about 640.
constexpr int kFigureWidth = 440;
constexpr char kTableStart[] =
    "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\" "
    "style=\"border-collapse:collapse; border-color:#000000\">";

QString Tr(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString Escaped(const QString& plain) {
    return plain.toHtmlEscaped();
}

QString Cell(const QString& html, const char* attributes = "") {
    return QStringLiteral("<td %1>%2</td>").arg(QString::fromLatin1(attributes), html);
}

// Sizes and weights go on the characters, not the block: the ODF writer
// keeps only the characters' formats.
QString Styled(const QString& html, double points, bool bold) {
    return QStringLiteral("<span style=\"font-size:%1pt;%2\">%3</span>")
        .arg(points)
        .arg(bold ? QStringLiteral(" font-weight:bold;") : QString(), html);
}

QString Heading(int level, const QString& html, const QString& attributes = {}) {
    constexpr double kPoints[] = {20, 14, 12, 10.5};
    return QStringLiteral("<h%1%2>%3</h%1>")
        .arg(level)
        .arg(attributes, Styled(html, kPoints[level - 1], true));
}

QString HeadCell(const QString& html, const char* attributes = "") {
    return QStringLiteral("<th %1 bgcolor=\"#e8e8e8\"><b>%2</b></th>")
        .arg(QString::fromLatin1(attributes), html);
}

QString Row(const QStringList& cells) {
    return QStringLiteral("<tr>") + cells.join(QString()) + QStringLiteral("</tr>");
}

// A table's heading row, repeated on every page the table runs onto.
QString HeadRow(const QStringList& cells) {
    return QStringLiteral("<thead>") + Row(cells) + QStringLiteral("</thead>");
}

class ReportWriter {
  public:
    explicit ReportWriter(const ReportRequest& request) : request_(request) {
        for (int row : request.rows) details_.append(DescribeRow(request.table, row));
    }

    CalculationReport Build() {
        CalculationReport report{std::make_unique<QTextDocument>(), Header()};
        document_ = report.document.get();
        document_->setDefaultFont(ReportFont(10.5));
        document_->setDocumentMargin(0);
        TitleBlock();
        html_ += Heading(2, Tr(text::kMethodHeading)) +
                 QStringLiteral("<p>%1</p>").arg(Tr(text::kMethod));
        html_ += Heading(2, Tr(text::kRowsHeading));
        for (const SectionDetails& details : details_) RowSection(details);
        Summary();
        document_->setHtml(html_);
        document_->setMetaInformation(QTextDocument::DocumentTitle, Tr(text::kTitle));
        return report;
    }

  private:
    QString Header() const {
        const ReportInfo& info = request_.info;
        return info.project.isEmpty() ? Tr(text::kTitle) : info.project;
    }

    QString FileText() const {
        return request_.fileName.isEmpty() ? Tr(text::kUnsavedFile)
                                           : QFileInfo(request_.fileName).fileName();
    }

    QString RowsText() const {
        QStringList rows;
        for (int row : request_.rows) rows << QString::number(row);
        return QStringLiteral("第 %1 行").arg(rows.join(QStringLiteral("、")));
    }

    void TitleBlock() {
        const ReportInfo& info = request_.info;
        const QString date =
            info.date.isEmpty() ? request_.today.toString(QStringLiteral("yyyy-MM-dd")) : info.date;
        const auto label = [](const char* name) { return HeadCell(Tr(name), "width=\"20%\""); };
        const auto value = [](const QString& plain, const char* attributes = "width=\"30%\"") {
            return Cell(Escaped(plain), attributes);
        };
        html_ += Heading(1, Tr(text::kTitle), QStringLiteral(" align=\"center\""));
        html_ += QString::fromLatin1(kTableStart);
        html_ += Row({label(text::kProject), value(info.project, "colspan=\"3\"")});
        html_ +=
            Row({label(text::kCanal), value(info.canal), label(text::kStage), value(info.stage)});
        html_ += Row(
            {label(text::kComputedBy), value(info.computedBy), label(text::kDate), value(date)});
        html_ += Row({label(text::kCheckedBy), value(info.checkedBy), label(text::kApprovedBy),
                      value(info.approvedBy)});
        html_ += Row({label(text::kElementFile), value(FileText(), "colspan=\"3\"")});
        html_ += Row({label(text::kRowsCovered), value(RowsText(), "colspan=\"3\"")});
        html_ += QStringLiteral("</table>");
    }

    // Depth-known when the row would be calculated so now (全部重算): the
    // mode is depth-known and the row has a depth.
    bool DepthKnown(int row) const {
        return request_.depthKnownMode && !request_.table.GetCellText(row, kDepthColumn).isEmpty();
    }

    void RowSection(const SectionDetails& details) {
        const ElementsTable& table = request_.table;
        const int row = details.row;
        const bool depthKnown = DepthKnown(row);
        // Each row from a new page; the first follows the method.
        html_ += Heading(3, Tr(text::kRowHeading).arg(row),
                         row == request_.rows.front()
                             ? QString()
                             : QStringLiteral(" style=\"page-break-before: always\""));

        const QString depth = table.DisplayText(row, kDepthColumn);
        const QString target = TargetDischargeText(table, row);
        html_ += Heading(4, Tr(text::kModeHeading)) +
                 QStringLiteral("<p>%1</p>")
                     .arg(depthKnown ? Tr(text::kDepthKnownMode).arg(Escaped(depth))
                                     : Tr(text::kDischargeKnownMode).arg(Escaped(target), depth));

        html_ += Heading(4, Tr(text::kInputsHeading));
        html_ += QString::fromLatin1(kTableStart);
        QStringList heads;
        for (const char* head : text::kInputColumns) heads << HeadCell(Tr(head));
        html_ += HeadRow(heads);
        const auto input = [&](const char* name, const char* symbol, const QString& typed,
                               const QString& read, const char* unit) {
            html_ += Row({Cell(Tr(name)), Cell(Tr(symbol), "align=\"center\""),
                          Cell(Escaped(typed), "align=\"right\""),
                          Cell(Escaped(read), "align=\"right\""), Cell(Tr(unit))});
        };
        const auto typed = [&](Column column) { return table.GetCellText(row, column); };
        input("底宽", "b", typed(kBottomWidthColumn), DetailsNumber(details, "b"), "m");
        input("边坡系数", "m", typed(kSideSlopeColumn), DetailsNumber(details, "m"), "");
        if (depthKnown) input("水深", "h", typed(kDepthColumn), DetailsNumber(details, "h"), "m");
        input("糙率", "n", typed(kRoughnessColumn), DetailsNumber(details, "n"), "");
        input("纵坡", "i", typed(kBedSlopeColumn), DetailsNumber(details, "i"), "");
        if (!depthKnown) {
            const QString read = DetailsNumber(details, QStringLiteral("Q设"));
            input("目标流量", "Q", target,
                  read.isEmpty() ? cell_text::FromFloat(cell_text::Value(target)) : read, "m³/s");
        }
        html_ += QStringLiteral("</table>");

        html_ += Heading(4, Tr(text::kFormulasHeading));
        for (const FormulaLine& f : SubstitutedFormulas(table, row, details)) {
            html_ += QStringLiteral("<p>%1 = %2 = %3 = <b>%4</b> %5</p>")
                         .arg(f.symbol, f.expression, f.substituted, f.result, f.unit);
        }
        html_ += QStringLiteral("<p><small>%1</small></p>").arg(Tr(text::kFormulaNote));

        html_ += Heading(4, Tr(text::kAnalysisHeading));
        if (!details.reason.isEmpty())
            html_ += QStringLiteral("<p>%1</p>").arg(Escaped(details.reason));
        Values(details);
        html_ += QStringLiteral("<p><small>%1</small></p>").arg(Tr(text::kAnalysisRelations));

        QString whyNot;
        Figure(QStringLiteral("section-%1.png").arg(row), SectionFigure(details, &whyNot),
               Tr(text::kSectionHeading).arg(row), whyNot);
        Figure(QStringLiteral("rating-%1.png").arg(row), RatingCurveFigure(details),
               Tr(text::kRatingHeading).arg(row), details.reason);
    }

    // Every line 断面详情 shows, whatever it is, under its group headings.
    void Values(const SectionDetails& details) {
        html_ += QString::fromLatin1(kTableStart);
        QStringList heads;
        for (const char* head : text::kValueColumns) heads << HeadCell(Tr(head));
        html_ += HeadRow(heads);
        for (const SectionDetails::Value& value : details.values) {
            if (value.IsHeading()) {
                html_ += Row({Cell(QStringLiteral("<b>%1</b>").arg(Escaped(value.name)),
                                   "colspan=\"4\" bgcolor=\"#f4f4f4\"")});
                continue;
            }
            html_ +=
                Row({Cell(Escaped(value.name)), Cell(Escaped(value.symbol), "align=\"center\""),
                     Cell(Escaped(value.number), "align=\"right\""), Cell(Escaped(value.unit))});
        }
        html_ += QStringLiteral("</table>");
    }

    // The picture with its caption below it, in one paragraph, so a page
    // break never parts them.
    void Figure(const QString& name, const QImage& image, const QString& caption,
                const QString& whyNot) {
        if (image.isNull()) {
            html_ += QStringLiteral("<p><b>%1</b> %2</p>")
                         .arg(caption, Tr(text::kNoFigure).arg(Escaped(whyNot)));
            return;
        }
        document_->addResource(QTextDocument::ImageResource, QUrl(name), image);
        html_ += QStringLiteral(
                     "<p align=\"center\"><img src=\"%1\" width=\"%2\" height=\"%3\"><br>"
                     "<b>%4</b></p>")
                     .arg(name)
                     .arg(kFigureWidth)
                     .arg(kFigureWidth * image.height() / image.width())
                     .arg(caption);
    }

    void Summary() {
        const ElementsTable& table = request_.table;
        html_ += Heading(2, Tr(text::kSummaryHeading),
                         QStringLiteral(" style=\"page-break-before: always\""));
        html_ += QStringLiteral(
            "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\" "
            "style=\"border-collapse:collapse\">");
        const auto small = [](const QString& html) { return Styled(html, 8, false); };
        const auto head = [](const QString& symbol, const char* unit) {
            return HeadCell(Styled(
                *unit ? QStringLiteral("%1<br>(%2)").arg(symbol, Tr(unit)) : symbol, 8, true));
        };
        QStringList heads = {HeadCell(Styled(Tr(text::kSummaryRow), 8, true))};
        const char* const symbols[] = {"b", "m", "h", "n", "i", "A", "χ", "R", "C", "Q", "v"};
        const char* const units[] = {"m",    "",   "m", "", "", "m²", "m", "m", "m<sup>1/2</sup>/s",
                                     "m³/s", "m/s"};
        for (int k = 0; k < static_cast<int>(std::size(symbols)); ++k)
            heads << head(Tr(symbols[k]), units[k]);
        heads << head(QStringLiteral("h0"), "m") << head(QStringLiteral("hk"), "m")
              << head(QStringLiteral("Fr"), "") << HeadCell(Styled(Tr(text::kSlopeClass), 8, true));
        html_ += HeadRow(heads);
        for (const SectionDetails& details : details_) {
            QStringList cells = {Cell(small(QString::number(details.row)), "align=\"center\"")};
            for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
                cells << Cell(small(Escaped(table.DisplayText(details.row, column))),
                              "align=\"right\"");
            for (const char* symbol : {"h0", "hk", "Fr"})
                cells << Cell(small(Escaped(DetailsNumber(details, Tr(symbol)))),
                              "align=\"right\"");
            cells << Cell(small(Escaped(Tr(SlopeClassName(details.flow.slopeClass)))));
            html_ += Row(cells);
        }
        html_ += QStringLiteral("</table>");
    }

    const ReportRequest& request_;
    QList<SectionDetails> details_;
    QTextDocument* document_ = nullptr;
    QString html_;
};

}  // namespace

QList<int> ReportedRows(const ElementsTable& table) {
    int first = kFirstSectionRow;
    int last = table.RowCount() - 1;
    const bool selection = table.SelectionFirstRow() != table.SelectionLastRow() ||
                           table.SelectionFirstColumn() != table.SelectionLastColumn();
    if (selection && table.SelectionFirstRow() >= 0) {
        first = std::max(first, table.SelectionFirstRow());
        last = std::min(last, table.SelectionLastRow());
    }
    QList<int> rows;
    for (int row = first; row <= last; ++row) {
        const SectionDetails details = DescribeRow(table, row);
        if (details.inputsRead && details.calculated) rows.append(row);
    }
    return rows;
}

CalculationReport BuildReport(const ReportRequest& request) {
    return ReportWriter(request).Build();
}

}  // namespace channel
