#pragma once

namespace channel {

class PrintDialogs;
struct CalculationReport;

// The print preview of `report` through `dialogs`; printing from it goes
// through the print dialog.
void PreviewReport(const CalculationReport& report, PrintDialogs& dialogs);

}  // namespace channel
