#pragma once

namespace channel {

// Why a section design has no answer, UTF-8. The design window shows them
// next to the field they concern.
namespace design_messages {

inline constexpr char kDischargeNotPositive[] = "设计流量必须是大于零的数。";
inline constexpr char kRoughnessNotPositive[] = "糙率必须是大于零的数。";
inline constexpr char kSlopeNotPositive[] = "纵坡必须是大于零的数。";
inline constexpr char kSideSlopeNegative[] = "边坡系数必须是不小于零的数。";
inline constexpr char kWidthNegative[] = "底宽必须是不小于零的数。";
inline constexpr char kDepthNotPositive[] = "水深必须是大于零的数。";
inline constexpr char kRatioNegative[] = "宽深比必须是不小于零的数。";
inline constexpr char kNoSection[] = "底宽和边坡系数都为零，断面没有过水面积。";
inline constexpr char kAlphaBelowOne[] = "面积比 α 不能小于 1。";
inline constexpr char kNegativeWidthNeeded[] =
    "在该水深下，即使底宽为零，过流能力也已超过设计流量（需要负的底宽），请减小水深。";
inline constexpr char kOutOfRange[] = "数值超出可计算的范围，请检查输入数据。";
inline constexpr char kPercentNegative[] = "加大百分数必须是不小于零的数。";
inline constexpr char kEnlargedBelowDesign[] = "加大流量不能小于设计流量。";
inline constexpr char kGradeInvalid[] = "渠道级别须为 1～5 级。";
inline constexpr char kFreeboardNegative[] = "岸顶超高必须是不小于零的数。";
inline constexpr char kFreeboardByStudy[] = "1～3级渠道的岸顶超高须经专门论证确定，请输入超高 Fb。";
inline constexpr char kMinimumNotPositive[] = "最小流量必须是大于零的数。";
inline constexpr char kLimitNotPositive[] = "流速限值必须是大于零的数。";
inline constexpr char kStepNegative[] = "取整步长必须是不小于零的数。";

}  // namespace design_messages

}  // namespace channel
