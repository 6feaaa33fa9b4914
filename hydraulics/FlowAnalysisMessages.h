#pragma once

namespace channel {

// Why a section has no uniform flow, UTF-8. AnalyseFlow reports the first
// that applies, in this order: section, discharge, roughness, bed slope.
namespace flow_messages {

inline constexpr char kSectionNotFinite[] = "底宽或边坡不是有效的数值，无法分析。";
inline constexpr char kSectionNegative[] = "底宽和边坡不能为负数。";
inline constexpr char kNoSection[] = "底宽和边坡都为零，断面没有过水面积。";
inline constexpr char kDischargeNotPositive[] = "流量必须大于零，才能求正常水深和临界水深。";
inline constexpr char kRoughnessNotPositive[] = "糙率必须大于零，否则不能形成均匀流。";
inline constexpr char kSlopeNotFinite[] = "纵坡不是有效的数值，不能形成均匀流。";
inline constexpr char kSlopeHorizontal[] = "纵坡为零（平坡），不能形成均匀流。";
inline constexpr char kSlopeAdverse[] = "纵坡为负（逆坡），不能形成均匀流。";
inline constexpr char kOutOfRange[] = "数值超出可计算的范围，请检查输入数据。";

}  // namespace flow_messages

}  // namespace channel
