#pragma once

// The texts of the calculation report (计算书), UTF-8.
namespace channel::report_text {

inline constexpr char kTitle[] = "梯形渠道水力计算书";
inline constexpr char kProject[] = "工程名称";
inline constexpr char kCanal[] = "渠道（断面）名称";
inline constexpr char kStage[] = "设计阶段";
inline constexpr char kComputedBy[] = "计算";
inline constexpr char kCheckedBy[] = "校核";
inline constexpr char kApprovedBy[] = "审核";
inline constexpr char kDate[] = "日期";
inline constexpr char kElementFile[] = "要素文件";
inline constexpr char kUnsavedFile[] = "（未保存）";
inline constexpr char kRowsCovered[] = "计算断面";

inline constexpr char kMethodHeading[] = "一、计算依据与方法";
inline constexpr char kMethod[] =
    "按明渠均匀流计算。过水断面为梯形，谢才公式 v = C√(Ri)，谢才系数按曼宁公式 "
    "C = R<sup>1/6</sup>/n（程序取指数 0.16666666），各要素按单精度逐步计算。"
    "已知水深时由水深直接求流量；已知流量时自 h = 0.01 m 起以 0.01 m 为步长向上试算，"
    "取流量首次达到目标流量的水深。另以双精度求解正常水深 h0、临界水深 hk 及临界底坡 ik，"
    "与表中 0.01 m 步长的结果并列。";
inline constexpr char kRowsHeading[] = "二、各断面计算";
inline constexpr char kSummaryHeading[] = "三、计算成果汇总";

inline constexpr char kRowHeading[] = "第 %1 行断面";
inline constexpr char kModeHeading[] = "1. 计算方式";
inline constexpr char kDepthKnownMode[] = "已知水深求流量：由水深 h = %1 m 直接计算各水力要素。";
inline constexpr char kDischargeKnownMode[] =
    "已知流量求水深：目标流量 Q = %1 m³/s，自 h = 0.01 m 起以 0.01 m 为步长试算，"
    "得水深 h = %2 m。";
inline constexpr char kInputsHeading[] = "2. 输入数据";
inline constexpr char kInputColumns[][12] = {"名称", "符号", "输入", "取值", "单位"};
inline constexpr char kFormulasHeading[] = "3. 水力要素计算";
inline constexpr char kFormulaNote[] =
    "注：代入值为表中显示值；结果按单精度逐步计算后取表中位数，末位可能与代入值直接运算略有出入。";
inline constexpr char kAnalysisHeading[] = "4. 均匀流与临界流分析";
inline constexpr char kAnalysisRelations[] =
    "Fr = v / √(g·A/B)，E = h0 + v²/(2g)，τ = ρ·g·R·i；临界水深 hk 满足 Q²B/(gA³) = 1，"
    "临界底坡 ik 为正常水深等于 hk 时的底坡；g = 9.81 m/s²，ρ = 1000 kg/m³。";
inline constexpr char kValueColumns[][12] = {"项目", "符号", "数值", "单位"};
inline constexpr char kSectionHeading[] = "图 %1-1　断面图";
inline constexpr char kRatingHeading[] = "图 %1-2　水位流量关系曲线";
inline constexpr char kDischargeAxis[] = "流量 Q（m³/s）";
inline constexpr char kDepthAxis[] = "水深 h（m）";
inline constexpr char kNoFigure[] = "（无法绘制：%1）";

inline constexpr char kSummaryRow[] = "行";
inline constexpr char kRegime[] = "流态";
inline constexpr char kSlopeClass[] = "底坡类型";

inline constexpr char kPageFooter[] = "第 %1 页 / 共 %2 页";

// The status line.
inline constexpr char kNoRows[] = "没有已计算的行，无法生成计算书。";
inline constexpr char kExported[] = "计算书已导出：%1";
inline constexpr char kUnknownType[] = "请选择 PDF 或 ODT 文件类型。";

}  // namespace channel::report_text
