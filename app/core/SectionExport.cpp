#include "app/core/SectionExport.h"

#include "app/core/SectionDetails.h"

std::variant<SectionDimensions, QString> SectionToDraw(const ElementsTable& table, int row) {
    const SectionDetails details = DescribeRow(table, row);
    // Without uniform flow (a flat bed, say) the section is still drawn; only
    // the lines that do not exist are left out.
    if (!details.inputsRead) return details.reason;
    const SectionDimensions section{row,
                                    details.bottomWidth,
                                    details.sideSlope,
                                    details.tableDepth,
                                    details.flow.normalDepth,
                                    details.flow.criticalDepth};
    const std::string problem = SectionDrawingProblem(section);
    if (!problem.empty()) return QString::fromStdString(problem);
    return section;
}
