#pragma once

#include <QString>

namespace channel {

// Fixed texts of the main window and its companions. The table's headings
// and input prompts belong to its layout (table/ElementsLayout.h).
namespace shell_text {

inline const QString kMainCaption = QStringLiteral("梯形渠道水利计算");
inline const QString kStartPrompt = QStringLiteral("欢迎使用本程序！请输入数据！");
inline const QString kTrayTooltip = QStringLiteral("水利计算，欢迎使用！");
inline const QString kRowMarker = QStringLiteral("  >>>");
inline const QString kInstructionsFile = QStringLiteral("说明.txt");
// Ends the instructions box when the file was longer than what is read of it;
// %1 is that size in MB.
inline const QString kInstructionsCut =
    QStringLiteral("\n\n……（说明文件超过 %1 MB，只显示了开头部分，其余内容已略去。）");
inline const QString kTrayIconFile = QStringLiteral("circle_f1.ico");

}  // namespace shell_text

}  // namespace channel
