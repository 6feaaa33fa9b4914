#pragma once

// Status-line texts of the row calculations and the input prompts, UTF-8.
// The window code and the tests use these constants so the texts exist once.
// Mind the exclamation marks: only the bottom-width prompt ends in a
// half-width "!", all others in a full-width "！".
namespace calculation_messages {

inline constexpr char kWelcome[] = "欢迎使用本程序！";

inline constexpr char kEnterBottomWidth[] = "请输入底宽数据!";
inline constexpr char kEnterSideSlope[] = "请输入边坡数据！";
inline constexpr char kEnterRoughness[] = "请输入糙率数据！";
inline constexpr char kEnterBedSlope[] = "请输入纵坡数据！";
inline constexpr char kEnterDepth[] = "请输入水深数据！";
inline constexpr char kEnterDepthOrDischarge[] = "请输入水深或者流量！";

inline constexpr char kDischargeUnreachable[] = "在允许水深范围内达不到该流量，请检查输入数据！";
inline constexpr char kDischargeMustBePositive[] = "流量必须大于零！";
inline constexpr char kResultInvalid[] = "计算结果无效，请检查输入数据！";

}  // namespace calculation_messages
