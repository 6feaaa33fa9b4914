#pragma once

#include <QString>

namespace channel {

// Who and what a calculation report is for, typed once (文件 → 计算书信息)
// and kept in the element file beside the table. Every field is free text;
// an empty field is simply left blank in the report.
struct ReportInfo {
    QString project;     // 工程名称
    QString canal;       // 渠道（断面）名称
    QString stage;       // 设计阶段
    QString computedBy;  // 计算
    QString checkedBy;   // 校核
    QString approvedBy;  // 审核
    QString date;        // 日期, as typed

    bool IsEmpty() const { return *this == ReportInfo{}; }
    bool operator==(const ReportInfo&) const = default;
};

}  // namespace channel
