#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <optional>

#include "files/ReportInfo.h"

namespace channel {

// The element file's optional "reportInfo" object: one string per field,
// under the English names below; an empty field is left out.
//
//   "reportInfo": {"project":"…","canal":"…","stage":"…","computedBy":"…",
//                  "checkedBy":"…","approvedBy":"…","date":"…"}
namespace element_file {

inline constexpr char kReportInfoKey[] = "reportInfo";

QJsonObject ReportInfoToJson(const ReportInfo& info);

// Nothing when `value` is not an object of strings under those names.
std::optional<ReportInfo> ReportInfoFromJson(const QJsonValue& value);

}  // namespace element_file

}  // namespace channel
