#include "app/core/SectionExport.h"

#include "app/core/SectionDetails.h"

namespace channel {

SectionDimensions SectionOf(const SectionDetails& details) {
    SectionDimensions section{
        details.row,        details.bottomWidth,      details.sideSlope,
        details.tableDepth, details.flow.normalDepth, details.flow.criticalDepth};
    if (details.design) {
        section.canalDepth = details.design->canalDepth.value_or(0);
        section.enlargedDepth = details.design->enlargedDepth;
    }
    return section;
}

Result<SectionDimensions, QString> SectionToDraw(const ElementsTable& table, int row) {
    using Section = Result<SectionDimensions, QString>;
    const SectionDetails details = DescribeRow(table, row);
    // Without uniform flow (a flat bed, say) the section is still drawn; only
    // the lines that do not exist are left out.
    if (!details.inputsRead) return Section::Failure(details.reason);
    const SectionDimensions section = SectionOf(details);
    if (const Outcome<std::string> drawable = SectionDrawable(section); !drawable.ok())
        return Section::Failure(QString::fromStdString(drawable.reason()));
    return Section::Success(section);
}

}  // namespace channel
