#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "ExpectedCalls.h"
#include "RecordingAutomation.h"
#include "SameCalls.h"
#include "cad/CadExport.h"
#include "cad/CadMessages.h"
#include "cad/DxfAutomationServer.h"
#include "cad/SectionDrawing.h"

namespace channel {

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// What one section must look like, the scale worked out by hand from the
// rules: banks to 1.25 × the deepest level, the largest round scale
// (1, 2, 5 × 10^k units per metre) at which the bank-top width fits in 160
// and the bank height in 112.
struct SectionCase {
    const char* name;
    SectionDimensions section;
    double scale;
    double deepest;                  // of h, h0 and hk
    std::vector<std::string> texts;  // title, B, b, scale, h, [1:m], [h0], [hk]
    // Where the h0 and hk labels go when not level with their lines.
    double normalLabelY = 0;
    double criticalLabelY = 0;
};

void PrintTo(const SectionCase& c, std::ostream* out) {
    *out << c.name;
}

// The section drawn with its bed centre at (390, 44): a point x metres
// across and y up lands on (390 + s·x, 44 + s·y).
class ExpectedSection {
  public:
    ExpectedSection(ExpectedCalls& calls, const SectionCase& c)
        : calls_(calls),
          c_(c),
          b_(c.section.bottomWidth),
          m_(c.section.sideSlope),
          bank_(1.25 * c.deepest) {}

    void Expect() {
        const SectionDimensions& s = c_.section;
        const double leftTop = U(-b_ / 2 - m_ * bank_);
        const double rightTop = U(b_ / 2 + m_ * bank_);
        const double bankY = V(bank_);
        const double bedY = V(0);
        const double waterY = V(s.depth);
        const double waterLeft = U(-b_ / 2 - m_ * s.depth);
        const double waterRight = U(b_ / 2 + m_ * s.depth);
        const double levelEnd = rightTop + 16;

        calls_.Open();
        if (b_ > 0) calls_.Line(U(-b_ / 2), bedY, U(b_ / 2), bedY);
        calls_.Line(U(-b_ / 2), bedY, leftTop, bankY);
        calls_.Line(U(b_ / 2), bedY, rightTop, bankY);
        calls_.Line(leftTop - 12, bankY, leftTop, bankY);
        calls_.Line(rightTop, bankY, rightTop + 12, bankY);
        calls_.Line(waterLeft, waterY, waterRight, waterY);
        if (std::isfinite(s.normalDepth)) Dashed(s.normalDepth, 4, 2, levelEnd);
        if (std::isfinite(s.criticalDepth)) Dashed(s.criticalDepth, 1.5, 1.5, levelEnd);
        if (b_ > 0) Dimension(U(-b_ / 2), bedY - 12, U(b_ / 2), bedY - 12);
        const double depthX = leftTop - 8;
        calls_.Line(U(-b_ / 2) - 2, bedY, depthX - 2, bedY);
        calls_.Line(waterLeft - 2, waterY, depthX - 2, waterY);
        Dimension(depthX, bedY, depthX, waterY);
        const double widthY = bankY + 10;
        calls_.Line(waterLeft, waterY + 2, waterLeft, widthY + 2);
        calls_.Line(waterRight, waterY + 2, waterRight, widthY + 2);
        Dimension(waterLeft, widthY, waterRight, widthY);

        calls_.TextStyle();
        std::size_t t = 0;
        calls_.Text(c_.texts[t++], 390, bankY + 26, 7);
        calls_.Text(c_.texts[t++], 390, widthY + 4.5, 5);
        calls_.Text(c_.texts[t++], 390, bedY - 12 + 4.5, 5);
        calls_.Text(c_.texts[t++], 390, bedY - 20, 5);
        calls_.Text(c_.texts[t++], depthX - 12, (bedY + waterY) / 2, 5);
        if (m_ > 0) {
            calls_.Text(c_.texts[t++], leftTop - 8, bankY + 4.5, 5);
        }
        if (std::isfinite(s.normalDepth)) {
            const double y = c_.normalLabelY != 0 ? c_.normalLabelY : V(s.normalDepth);
            calls_.Text(c_.texts[t++], levelEnd + 16, y, 5);
        }
        if (std::isfinite(s.criticalDepth)) {
            const double y = c_.criticalLabelY != 0 ? c_.criticalLabelY : V(s.criticalDepth);
            calls_.Text(c_.texts[t++], levelEnd + 16, y, 5);
        }
        ASSERT_EQ(t, c_.texts.size()) << "texts left over";
    }

  private:
    double U(double x) const { return 390 + c_.scale * x; }
    double V(double y) const { return 44 + c_.scale * y; }

    void Dashed(double depth, double on, double off, double end) {
        const double start = U(-b_ / 2 - m_ * depth);
        for (int k = 0;; ++k) {
            const double from = start + (on + off) * k;
            if (from >= end) break;
            calls_.Line(from, V(depth), std::min(from + on, end), V(depth));
        }
    }
    void Dimension(double x1, double y1, double x2, double y2) {
        calls_.Line(x1, y1, x2, y2);
        calls_.Line(x1 - 1.5, y1 - 1.5, x1 + 1.5, y1 + 1.5);
        calls_.Line(x2 - 1.5, y2 - 1.5, x2 + 1.5, y2 + 1.5);
    }

    ExpectedCalls& calls_;
    const SectionCase& c_;
    double b_, m_, bank_;
};

class SectionLayoutTest : public testing::TestWithParam<SectionCase> {};

TEST_P(SectionLayoutTest, DrawsOutlineWaterLevelsDimensionsAndTextsThenReleasesAtExit) {
    const SectionCase& c = GetParam();
    EXPECT_TRUE(SectionDrawable(c.section).ok());
    EXPECT_DOUBLE_EQ(SectionScale(c.section), c.scale);
    RecordingAutomation recorder;
    CadConnection connection;

    EXPECT_EQ(DrawSection(connection, recorder, c.section), DrawingOutcome::Drawn);
    ReleaseCadConnection(connection);

    ExpectedCalls expected;
    ExpectedSection(expected, c).Expect();
    expected.ReleaseAtExit();
    ExpectSameCalls(recorder.Calls(), expected.Calls());
}

INSTANTIATE_TEST_SUITE_P(Sections, SectionLayoutTest,
                         testing::Values(
                             // The tool's example row: W = 2 + 3 × 1.175 = 5.525, 160 / W = 29.
                             SectionCase{"Trapezoid",
                                         {3, 2, 1.5, 0.94, 0.9334, 0.4183},
                                         20,
                                         0.94,
                                         {"第3行断面图", "B=4.82 m", "b=2.00 m", "比例 1 m = 20",
                                          "h=0.94 m", "1:1.5", "h0=0.933 m", "hk=0.418 m"}},
                             // A flat bed has no normal depth: no h0 line and no h0 label.
                             SectionCase{"NoNormalDepth",
                                         {1, 2, 1.5, 1, kNone, 0.4183},
                                         20,
                                         1,
                                         {"第1行断面图", "B=5.00 m", "b=2.00 m", "比例 1 m = 20",
                                          "h=1.00 m", "1:1.5", "hk=0.418 m"}},
                             // Vertical walls and no slope text; 160 / 3 = 53.3 gives 50.
                             SectionCase{"Rectangle",
                                         {10, 3, 0, 1.2, 1.195, 0.8},
                                         50,
                                         1.2,
                                         {"第10行断面图", "B=3.00 m", "b=3.00 m", "比例 1 m = 50",
                                          "h=1.20 m", "h0=1.195 m", "hk=0.800 m"}},
                             // hk 1 unit above h0: its label moves up to 7 units above h0's (64).
                             SectionCase{"CloseLevels",
                                         {4, 1, 1, 1, 1, 1.05},
                                         20,
                                         1.05,
                                         {"第4行断面图", "B=3.00 m", "b=1.00 m", "比例 1 m = 20",
                                          "h=1.00 m", "1:1", "h0=1.000 m", "hk=1.050 m"},
                                         0,
                                         71},
                             // A wide canal: 112 / 5 = 22.4 but 160 / 50 = 3.2, so 2. hk (y 48) is
                             // the lower level this time; h0's label (52) moves up to 55.
                             SectionCase{"WideCanal",
                                         {2, 30, 2, 4, 4, 2},
                                         2,
                                         4,
                                         {"第2行断面图", "B=46.00 m", "b=30.00 m", "比例 1 m = 2",
                                          "h=4.00 m", "1:2", "h0=4.000 m", "hk=2.000 m"},
                                         55},
                             // A small triangular ditch, 160 / 0.9375 = 171: no bed line and no b
                             // dimension.
                             SectionCase{"Triangle",
                                         {5, 0, 0.75, 0.5, kNone, kNone},
                                         100,
                                         0.5,
                                         {"第5行断面图", "B=0.75 m", "b=0.00 m", "比例 1 m = 100",
                                          "h=0.50 m", "1:0.75"}}),
                         [](const testing::TestParamInfo<SectionCase>& info) {
                             return info.param.name;
                         });

// Sizes far beyond any buffer a short number needs are still written digit
// for digit, and each label reads back as the number drawn.
TEST(SectionDrawingTest, HugeSizesAreWrittenOutInFull) {
    const SectionDimensions section{6, 1e100, 1e80, 1, kNone, kNone};
    const auto drawing = std::make_shared<DxfDrawing>();
    DxfAutomationServer server(drawing);
    CadConnection connection;
    ASSERT_EQ(DrawSection(connection, server, section), DrawingOutcome::Drawn);
    ReleaseCadConnection(connection);

    std::map<std::string, std::string> numbers;  // by the label's text before it
    for (const DxfEntity& entity : drawing->entities) {
        const auto* text = std::get_if<DxfText>(&entity);
        if (text == nullptr) continue;
        const std::string& label = text->utf8Text;
        for (const char* prefix : {"B=", "b=", "1:"}) {
            if (!label.starts_with(prefix)) continue;
            const std::string rest = label.substr(2);
            numbers[prefix] = rest.ends_with(" m") ? rest.substr(0, rest.size() - 2) : rest;
        }
    }
    const std::map<std::string, double> expected = {
        {"B=", section.TopWidth()}, {"b=", 1e100}, {"1:", 1e80}};
    for (const auto& [prefix, value] : expected) {
        SCOPED_TRACE(prefix);
        const std::string& number = numbers[prefix];
        EXPECT_GT(number.size(), 80u);
        EXPECT_EQ(number.find_first_not_of("0123456789."), std::string::npos) << number;
        EXPECT_EQ(std::strtod(number.c_str(), nullptr), value);
    }
}

// Whatever cannot be drawn draws nothing and asks for no file; the status
// line gives the reason.
TEST(SectionDrawingTest, ASectionThatCannotBeDrawnMakesNoCallAndSaysWhy) {
    struct Case {
        const char* name = nullptr;
        SectionDimensions section;
        const char* reason = nullptr;
    };
    const char* kBadSection = "底宽和边坡系数须为不小于零的数，无法绘制断面图。";
    const char* kNoDepth = "本行没有水深，请先计算本行再绘制断面图。";
    for (const Case& c : {
             Case{"negative width", {1, -2, 1, 1, 1, 1}, kBadSection},
             Case{"slope not a number", {1, 2, kNone, 1, 1, 1}, kBadSection},
             Case{"infinite width", {1, HUGE_VAL, 1, 1, 1, 1}, kBadSection},
             Case{"no section", {1, 0, 0, 1, 1, 1}, "底宽和边坡系数都为零，没有断面可画。"},
             Case{"no depth", {1, 2, 1, kNone, 1, 1}, kNoDepth},
             Case{"zero depth", {1, 2, 1, 0, 1, 1}, kNoDepth},
         }) {
        SCOPED_TRACE(c.name);
        const Outcome<std::string> drawable = SectionDrawable(c.section);
        ASSERT_FALSE(drawable.ok());
        EXPECT_EQ(drawable.reason(), c.reason);
        RecordingAutomation recorder;
        CadConnection connection;
        EXPECT_EQ(DrawSection(connection, recorder, c.section), DrawingOutcome::Incomplete);
        EXPECT_TRUE(recorder.Calls().empty());

        QStringList statuses;
        int dialogs = 0;
        CadExportSeams seams{[&] {
                                 ++dialogs;
                                 return std::optional<QString>();
                             },
                             [&](const QString& text) { statuses << text; }};
        ExportSectionToCad(connection, c.section, seams, &recorder);
        ExportSectionToCad(connection, c.section, seams, nullptr);
        EXPECT_EQ(statuses, QStringList(2, QString::fromUtf8(c.reason)));
        EXPECT_EQ(dialogs, 0);
        EXPECT_TRUE(recorder.Calls().empty());
        EXPECT_EQ(connection.cadApplication, nullptr);
    }
}

// The status line says where the section went, as for the table.
TEST(SectionDrawingTest, ExportTellsWhereTheSectionWent) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString path = directory.filePath("断面.dxf");
    const SectionDimensions section{3, 2, 1.5, 0.94, 0.9334, 0.4183};
    const auto text = [](const char* utf8) { return QString::fromUtf8(utf8); };
    struct Case {
        const char* name = nullptr;
        std::optional<RecordingBehaviour> autoCad;  // none: no AutoCAD on this platform
        QStringList statuses;
        int dialogs = 0;
    };
    const QString saved =
        text(cad_messages::kSectionSavedAsDxf).arg(QDir::toNativeSeparators(path));
    for (const Case& c : {
             Case{"AutoCAD", RecordingBehaviour{}, {text(cad_messages::kSectionDrawnInAutoCad)}, 0},
             Case{"no drawing open",
                  FailingMember("ActiveDocument"),
                  {text(cad_messages::kSectionAutoCadIncomplete)},
                  0},
             Case{"AutoCAD unreachable",
                  Unreachable(),
                  {text(cad_messages::kSectionAutoCadUnreachable), saved},
                  1},
             Case{"no AutoCAD", std::nullopt, {saved}, 1},
         }) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        QStringList statuses;
        int dialogs = 0;
        CadExportSeams seams{[&] {
                                 ++dialogs;
                                 return std::optional<QString>(path);
                             },
                             [&](const QString& status) { statuses << status; }};
        CadConnection connection;
        std::optional<RecordingAutomation> autoCad;
        if (c.autoCad) autoCad.emplace(*c.autoCad);
        ExportSectionToCad(connection, section, seams, autoCad ? &*autoCad : nullptr);
        ReleaseCadConnection(connection);

        EXPECT_EQ(statuses, c.statuses);
        EXPECT_EQ(dialogs, c.dialogs);
        EXPECT_EQ(QFile::exists(path), c.dialogs == 1);
    }
}

}  // namespace

}  // namespace channel
