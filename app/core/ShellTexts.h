#pragma once

#include <QString>

#include "hydraulics/CalculationMessages.h"

// Fixed texts of the main window and its companions.
namespace shell_text {

inline const QString kMainCaption = QStringLiteral("梯形渠道水利计算");
inline const QString kStartPrompt = QStringLiteral("欢迎使用本程序！请输入数据！");
inline const QString kTrayTooltip = QStringLiteral("水利计算，欢迎使用！");
inline const QString kRowMarker = QStringLiteral("  >>>");
inline const QString kItemHeading = QStringLiteral("项目");
inline const QString kInstructionsFile = QStringLiteral("说明.txt");
// Ends the instructions box when the file was longer than what is read of it;
// %1 is that size in MB.
inline const QString kInstructionsCut =
    QStringLiteral("\n\n……（说明文件超过 %1 MB，只显示了开头部分，其余内容已略去。）");
inline const QString kTrayIconFile = QStringLiteral("circle_f1.ico");

// Headings of columns 1 to 11.
inline const QString kColumnHeadings[11] = {
    QStringLiteral("底宽"), QStringLiteral("边坡"),     QStringLiteral("水深"),
    QStringLiteral("糙率"), QStringLiteral("纵坡1\\I"), QStringLiteral("面积"),
    QStringLiteral("湿周"), QStringLiteral("水力半径"), QStringLiteral("谢才系数"),
    QStringLiteral("流量"), QStringLiteral("流速"),
};

// The inputs every row needs, in the order they are asked for.
struct InputPrompt {
    int column;
    QString message;
};
inline const InputPrompt kInputPrompts[4] = {
    {1, QString::fromUtf8(calculation_messages::kEnterBottomWidth)},
    {2, QString::fromUtf8(calculation_messages::kEnterSideSlope)},
    {4, QString::fromUtf8(calculation_messages::kEnterRoughness)},
    {5, QString::fromUtf8(calculation_messages::kEnterBedSlope)},
};

}  // namespace shell_text
