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
// The cell length limit (ElementsTable::kMaxCellCharacters is %1).
inline const QString kTypedTextTooLong =
    QStringLiteral("每格最多 %1 个字符，这一格已经写满，不能再输入了。");
inline const QString kPastedTextTooLong =
    QStringLiteral("剪贴板中有超过 %1 个字符的文字（每格最多 %1 个字符），没有粘贴。");
// A loaded file with longer texts: %1 names the cells ("第3行“底宽”、…").
inline const QString kLoadedTextsTooLong =
    QStringLiteral("%1的文字超过每格 %2 个字符的上限，已完整打开。");
// F4 when the section-details module cannot be opened (a broken install).
inline const QString kSectionDetailsMissing =
    QStringLiteral("无法打开断面详情：找不到它的程序模块，请重新安装本程序。");
// A print or print preview when the printing module cannot be opened.
inline const QString kPrintingMissing =
    QStringLiteral("无法打印：找不到打印的程序模块，请重新安装本程序。");
inline const QString kCellName = QStringLiteral("第%1行“%2”");
inline const QString kMoreCells = QStringLiteral("等 %1 格");

}  // namespace shell_text

}  // namespace channel
