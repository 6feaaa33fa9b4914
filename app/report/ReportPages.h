#pragma once

#include <QString>

#include "io/Outcome.h"

class QPagedPaintDevice;

namespace channel {

struct CalculationReport;

// Paints the report on `device`'s pages at the device's page size and
// margins: the document laid out for the device, each page headed by the
// report's header text and the title, footed by "第 x 页 / 共 y 页". False,
// with nothing painted, when the device cannot be painted on.
bool PaintReport(const CalculationReport& report, QPagedPaintDevice& device);

// The kinds of file a report is written as, by the name's suffix.
enum class ReportFileType { kPdf, kOdt, kUnknown };
ReportFileType ReportFileTypeOf(const QString& path);

// Writes the report to `path`: a PDF on A4 with the CJK font embedded, or
// an OpenDocument text (ODT), by the suffix. The ODT has the document
// itself; page headers and footers are the PDF's and the printout's. Qt's
// ODF writer gives font sizes and weights for Western script only
// (fo:font-size, not style:font-size-asian), so LibreOffice shows Chinese
// headings at the body size. The
// file is replaced whole or not at all (io/AtomicFileWrite.h). The reason of
// a failure in Chinese.
Outcome<QString> WriteReport(const CalculationReport& report, const QString& path);

}  // namespace channel
