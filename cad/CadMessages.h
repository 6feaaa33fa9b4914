#pragma once

namespace channel {

// Status-line texts of the CAD export, UTF-8, and the save dialog's filter.
// "%1" is replaced by a file path or a failure reason.
namespace cad_messages {

inline constexpr char kDrawnInAutoCad[] = "表格已绘入AutoCAD当前图形。";
inline constexpr char kAutoCadIncomplete[] =
    "AutoCAD未能绘出完整的表格，请确认AutoCAD已打开图形后重试。";
inline constexpr char kAutoCadUnreachable[] = "无法连接AutoCAD，可将表格保存为DXF图形。";
inline constexpr char kSavedAsDxf[] = "表格已保存为DXF图形：%1";
inline constexpr char kDxfNotWritten[] = "DXF图形无法写入：%1";
inline constexpr char kSectionDrawnInAutoCad[] = "断面图已绘入AutoCAD当前图形。";
inline constexpr char kSectionAutoCadIncomplete[] =
    "AutoCAD未能绘出完整的断面图，请确认AutoCAD已打开图形后重试。";
inline constexpr char kSectionAutoCadUnreachable[] = "无法连接AutoCAD，可将断面图保存为DXF图形。";
inline constexpr char kSectionSavedAsDxf[] = "断面图已保存为DXF图形：%1";
// The reason given when the DXF library cannot write the R12 format.
inline constexpr char kDxfLibraryWithoutR12[] = "DXF库不能写R12格式";

inline constexpr char kDxfFileFilter[] = "DXF 图形(*.dxf)";

}  // namespace cad_messages

}  // namespace channel
