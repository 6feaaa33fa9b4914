#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "RecordingAutomation.h"
#include "cad/CadExport.h"
#include "cad/CadMessages.h"
#include "cad/SectionDrawing.h"

namespace channel {

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
namespace layers = drawing_layers;

// One section, its scale worked out by hand from the rules (banks a freeboard
// of a quarter of the deepest level plus 0.2 m above it, the largest round scale 1, 2, 5 × 10^k at
// which the bank-top width fits in 160 and the bank height in 112) and the texts it must carry.
struct SectionCase {
    const char* name;
    SectionDimensions section;
    double scale;
    std::multiset<std::string> texts;
};

void PrintTo(const SectionCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<DrawingLine> OnLayer(const Drawing& drawing, const char* layer) {
    std::vector<DrawingLine> lines;
    for (const DrawingLine& line : drawing.lines) {
        if (line.layer == layer) lines.push_back(line);
    }
    return lines;
}

class SectionDescriptionTest : public testing::TestWithParam<SectionCase> {};

// The water surface spans b + 2mh at h above the bed, the banks rise 1 in m,
// h0 is dashed and hk dotted at their heights, each only where it exists.
TEST_P(SectionDescriptionTest, DrawsTheTrapezoidToScale) {
    const SectionCase& c = GetParam();
    const SectionDimensions& s = c.section;
    ASSERT_TRUE(SectionDrawable(s).ok());
    EXPECT_DOUBLE_EQ(SectionScale(s), c.scale);
    const Drawing drawing = DescribeSection(s);

    const std::vector<DrawingLine> outline = OnLayer(drawing, layers::kSection);
    ASSERT_FALSE(outline.empty());
    double bed = outline.front().from.y;
    double bankTop = bed;
    for (const DrawingLine& line : outline) {
        bed = std::min({bed, line.from.y, line.to.y});
        bankTop = std::max({bankTop, line.from.y, line.to.y});
    }
    // The banks rise hd/4 + 0.2 m above the deepest level hd; std::max keeps
    // hd over a missing (NaN) level. A designed canal's stand at H.
    double hd = s.depth;
    for (double level : {s.normalDepth, s.criticalDepth}) hd = std::max(hd, level);
    const double bank = s.canalDepth > 0 ? s.canalDepth : hd + hd / 4 + 0.2;
    EXPECT_NEAR(bankTop - bed, c.scale * bank, 1e-9);
    for (const DrawingLine& line : outline) {
        const double rise = std::fabs(line.to.y - line.from.y);
        if (rise > 0) {
            EXPECT_NEAR(std::fabs(line.to.x - line.from.x), s.sideSlope * rise, 1e-9);
        }
    }
    const std::vector<DrawingLine> water = OnLayer(drawing, layers::kWater);
    ASSERT_EQ(water.size(), 1u);
    EXPECT_NEAR(water[0].to.x - water[0].from.x,
                c.scale * (s.bottomWidth + 2 * s.sideSlope * s.depth), 1e-9);
    EXPECT_NEAR(water[0].from.y - bed, c.scale * s.depth, 1e-9);
    EXPECT_EQ(water[0].from.y, water[0].to.y);

    for (const auto& [layer, depth, style] :
         {std::tuple{layers::kNormalDepth, s.normalDepth, LineStyle::Dashed},
          std::tuple{layers::kCriticalDepth, s.criticalDepth, LineStyle::Dotted},
          std::tuple{layers::kEnlargedDepth, s.enlargedDepth, LineStyle::Dashed}}) {
        SCOPED_TRACE(layer);
        const std::vector<DrawingLine> level = OnLayer(drawing, layer);
        ASSERT_EQ(level.size(), depth > 0 ? 1u : 0u);
        if (level.empty()) continue;
        EXPECT_EQ(level[0].style, style);
        EXPECT_NEAR(level[0].from.y - bed, c.scale * depth, 1e-9);
        // From the left bank, past the right one.
        EXPECT_NEAR(level[0].from.x, water[0].from.x - c.scale * s.sideSlope * (depth - s.depth),
                    1e-9);
        EXPECT_GT(level[0].to.x, water[0].to.x + c.scale * s.sideSlope * (depth - s.depth));
    }
}

// Every value drawn reads as the section's, and nothing is drawn over
// another label or outside the section's place beside the table.
TEST_P(SectionDescriptionTest, LabelsTheSectionApartAndWithinItsFrame) {
    const SectionCase& c = GetParam();
    const Drawing drawing = DescribeSection(c.section);

    std::multiset<std::string> texts;
    for (const DrawingText& text : drawing.texts) texts.insert(text.utf8Text);
    EXPECT_EQ(texts, c.texts);
    for (std::size_t i = 0; i < drawing.texts.size(); ++i) {
        const DrawingText& text = drawing.texts[i];
        EXPECT_TRUE(drawing.frame.Contains(TextBox(text))) << text.utf8Text;
        for (std::size_t j = i + 1; j < drawing.texts.size(); ++j) {
            EXPECT_FALSE(TextBox(text).Overlaps(TextBox(drawing.texts[j])))
                << text.utf8Text << " over " << drawing.texts[j].utf8Text;
        }
    }
    for (const DrawingLine& line : drawing.lines) {
        EXPECT_TRUE(drawing.frame.Contains(line.from) && drawing.frame.Contains(line.to))
            << line.layer << " " << line.from.x << "," << line.from.y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sections, SectionDescriptionTest,
    testing::Values(
        // The tool's example row: W = 2 + 3 × 1.375 = 6.125, 160 / W = 26.
        SectionCase{"Trapezoid",
                    {3, 2, 1.5, 0.94, 0.9334, 0.4183},
                    20,
                    {"第3行断面图", "B=4.82 m", "b=2.00 m", "比例 1 m = 20", "h=0.94 m", "1:1.5",
                     "h0=0.933 m", "hk=0.418 m"}},
        // A flat bed has no normal depth: no h0 line and no h0 label.
        SectionCase{"NoNormalDepth",
                    {1, 2, 1.5, 1, kNone, 0.4183},
                    20,
                    {"第1行断面图", "B=5.00 m", "b=2.00 m", "比例 1 m = 20", "h=1.00 m", "1:1.5",
                     "hk=0.418 m"}},
        // Vertical walls and no slope text; 160 / 3 = 53.3 gives 50.
        SectionCase{"Rectangle",
                    {10, 3, 0, 1.2, 1.195, 0.8},
                    50,
                    {"第10行断面图", "B=3.00 m", "b=3.00 m", "比例 1 m = 50", "h=1.20 m",
                     "h0=1.195 m", "hk=0.800 m"}},
        // hk 1 unit above h0: the labels move apart.
        SectionCase{"CloseLevels",
                    {4, 1, 1, 1, 1, 1.05},
                    20,
                    {"第4行断面图", "B=3.00 m", "b=1.00 m", "比例 1 m = 20", "h=1.00 m", "1:1",
                     "h0=1.000 m", "hk=1.050 m"}},
        // A wide canal: 112 / 5.2 = 21.5 but 160 / 50.8 = 3.1, so 2; hk is the lower level.
        SectionCase{"WideCanal",
                    {2, 30, 2, 4, 4, 2},
                    2,
                    {"第2行断面图", "B=46.00 m", "b=30.00 m", "比例 1 m = 2", "h=4.00 m", "1:2",
                     "h0=4.000 m", "hk=2.000 m"}},
        // A small triangular ditch, 160 / 1.2375 = 129: no bed line and no b dimension.
        SectionCase{
            "Triangle",
            {5, 0, 0.75, 0.5, kNone, kNone},
            100,
            {"第5行断面图", "B=0.75 m", "b=0.00 m", "比例 1 m = 100", "h=0.50 m", "1:0.75"}},
        // A designed canal (b = 2.65 m for Q = 2 m³/s): banks at H = 1.40 m,
        // hb dashed with its label above h0's; 160 / 6.85 = 23.4.
        SectionCase{"DesignedCanal",
                    {2, 2.65, 1.5, 0.84, 0.8312, 0.3604, 1.4, 0.9373},
                    20,
                    {"第2行断面图", "B=5.17 m", "b=2.65 m", "比例 1 m = 20", "h=0.84 m", "1:1.5",
                     "h0=0.831 m", "hk=0.360 m", "hb=0.937 m", "H=1.40 m"}},
        // A deep narrow flume, limited by its height: 112 / 3.95 = 28.4.
        SectionCase{"DeepFlume",
                    {8, 0.3, 0.1, 3, 2.9, 0.7},
                    20,
                    {"第8行断面图", "B=0.90 m", "b=0.30 m", "比例 1 m = 20", "h=3.00 m", "1:0.1",
                     "h0=2.900 m", "hk=0.700 m"}}),
    [](const testing::TestParamInfo<SectionCase>& info) { return info.param.name; });

// Sizes far beyond any buffer a short number needs are still written digit
// for digit, and each label reads back as the number drawn.
TEST(SectionDrawingTest, HugeSizesAreWrittenOutInFull) {
    const SectionDimensions section{6, 1e100, 1e80, 1, kNone, kNone};
    std::map<std::string, std::string> numbers;  // by the label's text before it
    for (const DrawingText& text : DescribeSection(section).texts) {
        const std::string& label = text.utf8Text;
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
