#pragma once

namespace channel {

// Status-line texts of the row calculations, UTF-8. The window code and the
// tests use these constants so the texts exist once. The prompts for the four
// inputs every row needs belong to the table's layout (table/ElementsLayout.h).
namespace calculation_messages {

inline constexpr char kWelcome[] = "欢迎使用本程序！";

inline constexpr char kEnterDepth[] = "请输入水深数据！";
inline constexpr char kEnterDepthOrDischarge[] = "请输入水深或者流量！";

inline constexpr char kDischargeUnreachable[] = "在允许水深范围内达不到该流量，请检查输入数据！";
inline constexpr char kDischargeMustBePositive[] = "流量必须大于零！";
inline constexpr char kResultInvalid[] = "计算结果无效，请检查输入数据！";

// An input the calculation read whose whole text is not a number: %1 the
// row, %2 the input's name below, %3 the value the calculation took from it.
inline constexpr char kCellNotANumber[] = "第%1行“%2”不是数字，按 %3 计算！";
inline constexpr char kBottomWidthName[] = "底宽";
inline constexpr char kSideSlopeName[] = "边坡";
inline constexpr char kDepthName[] = "水深";
inline constexpr char kRoughnessName[] = "糙率";
inline constexpr char kBedSlopeName[] = "纵坡";
inline constexpr char kDischargeName[] = "流量";

// An input whose one comma may group thousands or be a decimal comma
// ("1,250"): %1 the row, %2 the input's name, %3 its text, %4 the value the
// calculation took from it.
inline constexpr char kCellAmbiguous[] =
    "第%1行“%2”%3 的逗号是千位分隔还是小数点不明确，按 %4 计算！";

// A calculated row whose inputs or results are outside plausible ranges
// (hydraulics/Plausibility.h): kRowLabel, then each finding, %1 the value.
inline constexpr char kSlopeTooSteepAsDenominator[] = "纵坡 %1 远大于常见值，是否应为 1/%1？";
inline constexpr char kSlopeTooSteep[] = "纵坡 %1 远大于常见值！";
inline constexpr char kSlopeNotPositive[] = "纵坡 %1 不大于零！";
inline constexpr char kRoughnessOutside[] = "糙率 %1 不在常见范围 0.008～0.2 内！";
inline constexpr char kNegativeWidth[] = "底宽 %1 为负！";
inline constexpr char kNegativeSideSlope[] = "边坡 %1 为负！";
inline constexpr char kVelocityTooHigh[] = "流速 %1 m/s 大于 10 m/s！";

// Recalculating several rows (after a paste, or 全部重算). kCellNotANumber
// starts with kRowLabel already; other reasons get the label in front.
inline constexpr char kRowLabel[] = "第%1行";
inline constexpr char kRowProblem[] = "%1：%2";
inline constexpr char kRecalculatedAll[] = "已重算%1行，全部成功！";
inline constexpr char kRecalculatedWithProblems[] = "已重算%1行，%2行有问题：%3";
inline constexpr char kNothingToRecalculate[] = "没有可计算的行，请先输入底宽、边坡、糙率和纵坡！";

}  // namespace calculation_messages

}  // namespace channel
