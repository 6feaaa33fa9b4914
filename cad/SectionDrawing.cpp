#include "cad/SectionDrawing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "cad/DrawingAutomation.h"
#include "cad/ValueFormatting.h"

namespace channel {

// The description, with X(x) = kSectionCentreX + scale·x and Y(y) = kSectionBedY
// + scale·y for a point x metres from the bed's centre and y above the bed,
// and w(d) = b/2 + m·d the half width at depth d, H the bank height:
//   lines: the bed (b > 0); both banks up to H; the bank tops, 12 units out;
//     the water surface across at h; h0 dashed and hk dotted from the left
//     bank to 16 units past the right bank top; the b dimension 12 units below the bed; the h
//     dimension 8 units left of the left bank top, its extension lines level with bed and surface;
//     the B dimension 10 units above the bank tops, its extension lines up from the water's edges.
//     A dimension ends in 45° ticks.
//   texts: the title and the B value above the B dimension, the b value above
//     and the scale below the b dimension, the h value left of its dimension,
//     "1:m" over the left bank top, 8 units out (m > 0), the h0 and hk values at
//     the ends of their lines, at least 7 units apart.
//   A designed canal (H > 0) has its bank tops at H, the hb line dashed like
//   h0 on a layer of its own with its value among theirs, and "H=" over the
//   right bank top; a row without a design draws none of these.
namespace {

constexpr double kBankTopLength = 12;
constexpr double kLevelLineOverhang = 16;
constexpr double kLevelLabelOffset = 16;
constexpr double kMinLabelSpacing = 7;
constexpr double kWidthDimensionDrop = 12;
constexpr double kDepthDimensionOffset = 8;
constexpr double kTopDimensionRise = 10;
constexpr double kExtensionGap = 2;
constexpr double kTickHalf = 1.5;
constexpr double kTextAboveLine = 4.5;
constexpr double kDepthTextOffset = 12;
constexpr double kSlopeTextOffset = 8;
constexpr double kScaleTextDrop = 8;
constexpr double kTitleRise = 26;
constexpr int kTextHeight = 5;
constexpr int kTitleHeight = 7;

bool Exists(double depth) {
    return std::isfinite(depth) && depth > 0;
}

// The shortest text that reads back as `value`: 1.5, 2, 0.75.
std::string Shortest(double value) {
    std::array<char, 64> text{};
    auto* const end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return std::string(text.data(), end);
}

std::string Metres(const char* symbol, double value, int digits) {
    return std::string(symbol) + "=" + FormatFixed(value, digits) + " m";
}

namespace layers = drawing_layers;

class SectionPlot {
  public:
    SectionPlot(Drawing& drawing, const SectionDimensions& s)
        : drawing_(drawing),
          s_(s),
          bank_(SectionBankHeight(s)),
          scale_(SectionScale(s)),
          levelEnd_(X(HalfWidth(bank_)) + kLevelLineOverhang) {}

    void DrawLines() {
        const double b2 = s_.bottomWidth / 2;
        const double top = HalfWidth(bank_);
        layer_ = layers::kSection;
        if (s_.bottomWidth > 0) Line(X(-b2), Y(0), X(b2), Y(0));
        Line(X(-b2), Y(0), X(-top), Y(bank_));
        Line(X(b2), Y(0), X(top), Y(bank_));
        Line(X(-top) - kBankTopLength, Y(bank_), X(-top), Y(bank_));
        Line(X(top), Y(bank_), X(top) + kBankTopLength, Y(bank_));
        layer_ = layers::kWater;
        Line(X(-HalfWidth(s_.depth)), Y(s_.depth), X(HalfWidth(s_.depth)), Y(s_.depth));
        if (Exists(s_.normalDepth)) Level(s_.normalDepth, LineStyle::Dashed, layers::kNormalDepth);
        if (Exists(s_.criticalDepth)) {
            Level(s_.criticalDepth, LineStyle::Dotted, layers::kCriticalDepth);
        }
        if (Exists(s_.enlargedDepth))
            Level(s_.enlargedDepth, LineStyle::Dashed, layers::kEnlargedDepth);

        layer_ = layers::kDimension;
        if (s_.bottomWidth > 0) Dimension(X(-b2), WidthDimensionY(), X(b2), WidthDimensionY());

        const double x = DepthDimensionX();
        const double water = HalfWidth(s_.depth);
        Line(X(-b2) - kExtensionGap, Y(0), x - kExtensionGap, Y(0));
        Line(X(-water) - kExtensionGap, Y(s_.depth), x - kExtensionGap, Y(s_.depth));
        Dimension(x, Y(0), x, Y(s_.depth));

        const double y = TopDimensionY();
        for (double edge : {X(-water), X(water)}) {
            Line(edge, Y(s_.depth) + kExtensionGap, edge, y + kExtensionGap);
        }
        Dimension(X(-water), y, X(water), y);
    }

    void PlaceTexts() {
        layer_ = layers::kText;
        Text("第" + std::to_string(s_.row) + "行断面图", kSectionCentreX, Y(bank_) + kTitleRise,
             kTitleHeight);
        layer_ = layers::kDimension;
        Text(Metres("B", s_.TopWidth(), 2), kSectionCentreX, TopDimensionY() + kTextAboveLine);
        Text(Metres("b", s_.bottomWidth, 2), kSectionCentreX, WidthDimensionY() + kTextAboveLine);
        layer_ = layers::kText;
        Text("比例 1 m = " + Shortest(scale_), kSectionCentreX, WidthDimensionY() - kScaleTextDrop);
        layer_ = layers::kDimension;
        Text(Metres("h", s_.depth, 2), DepthDimensionX() - kDepthTextOffset,
             (Y(0) + Y(s_.depth)) / 2);
        // Over the left bank top: the right side belongs to the h0 and hk
        // lines, which may run at any height.
        if (s_.sideSlope > 0) {
            Text("1:" + SlopeNumber(), X(-HalfWidth(bank_)) - kSlopeTextOffset,
                 Y(bank_) + kTextAboveLine);
        }
        PlaceLevelLabels();
        // A designed canal's depth over the right bank top, clear of the B
        // dimension's extension line at the water's edge.
        if (Exists(s_.canalDepth)) {
            layer_ = layers::kCanalDepth;
            DrawingText label{Metres("H", bank_, 2), {}, TextAnchor::Middle, kTextHeight, layer_};
            const double halfWidth = TextBox(label).Width() / 2;
            Text(label.utf8Text, X(HalfWidth(bank_)) + kExtensionGap + halfWidth,
                 Y(bank_) + kTextAboveLine);
        }
    }

  private:
    double X(double metres) const { return kSectionCentreX + scale_ * metres; }
    double Y(double metres) const { return kSectionBedY + scale_ * metres; }
    double HalfWidth(double depth) const { return s_.HalfWidthAt(depth); }
    double WidthDimensionY() const { return Y(0) - kWidthDimensionDrop; }
    double DepthDimensionX() const { return X(-HalfWidth(bank_)) - kDepthDimensionOffset; }
    double TopDimensionY() const { return Y(bank_) + kTopDimensionRise; }

    // m to two decimals, without trailing zeros: 1.5, 2, 0.75.
    std::string SlopeNumber() const {
        std::string text = FormatFixed(s_.sideSlope, 2);
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
        return text;
    }

    void Line(double x1, double y1, double x2, double y2, LineStyle style = LineStyle::Solid) {
        drawing_.lines.push_back({{x1, y1}, {x2, y2}, style, layer_});
    }
    void Text(const std::string& text, double x, double y, int height = kTextHeight) {
        drawing_.texts.push_back({text, {x, y}, TextAnchor::Middle, height, layer_});
    }

    void Tick(double x, double y) {
        Line(x - kTickHalf, y - kTickHalf, x + kTickHalf, y + kTickHalf);
    }
    void Dimension(double x1, double y1, double x2, double y2) {
        Line(x1, y1, x2, y2);
        Tick(x1, y1);
        Tick(x2, y2);
    }

    // A level from the left bank to past the right bank top.
    void Level(double depth, LineStyle style, const char* layer) {
        layer_ = layer;
        Line(X(-HalfWidth(depth)), Y(depth), levelEnd_, Y(depth), style);
    }

    void PlaceLevelLabels() {
        struct Label {
            const char* symbol;
            double depth;
            const char* layer;
            double y;
        };
        std::vector<Label> labels;  // in the order they are drawn
        for (const Label& label : {Label{"h0", s_.normalDepth, layers::kNormalDepth, 0},
                                   Label{"hk", s_.criticalDepth, layers::kCriticalDepth, 0},
                                   Label{"hb", s_.enlargedDepth, layers::kEnlargedDepth, 0}}) {
            if (Exists(label.depth)) labels.push_back({label.symbol, label.depth, label.layer, 0});
        }
        for (Label& label : labels) label.y = Y(label.depth);
        // Each label above another moves up, clear of it; at equal depths
        // the one drawn first counts as the lower.
        std::vector<Label*> byHeight(labels.size());
        for (size_t k = 0; k < labels.size(); ++k) byHeight[k] = &labels[k];
        std::stable_sort(byHeight.begin(), byHeight.end(),
                         [](const Label* a, const Label* b) { return a->y < b->y; });
        for (size_t k = 1; k < byHeight.size(); ++k)
            byHeight[k]->y = std::max(byHeight[k]->y, byHeight[k - 1]->y + kMinLabelSpacing);
        const double x = levelEnd_ + kLevelLabelOffset;
        for (const Label& label : labels) {
            layer_ = label.layer;
            Text(Metres(label.symbol, label.depth, 3), x, label.y);
        }
    }

    Drawing& drawing_;
    const SectionDimensions& s_;
    const char* layer_ = layers::kSection;
    const double bank_;
    const double scale_;
    const double levelEnd_;
};

}  // namespace

Outcome<std::string> SectionDrawable(const SectionDimensions& s) {
    using Drawable = Outcome<std::string>;
    if (!std::isfinite(s.bottomWidth) || !std::isfinite(s.sideSlope) || s.bottomWidth < 0 ||
        s.sideSlope < 0) {
        return Drawable::Failure("底宽和边坡系数须为不小于零的数，无法绘制断面图。");
    }
    if (s.bottomWidth == 0 && s.sideSlope == 0)
        return Drawable::Failure("底宽和边坡系数都为零，没有断面可画。");
    if (!Exists(s.depth)) return Drawable::Failure("本行没有水深，请先计算本行再绘制断面图。");
    return Drawable::Success();
}

double SectionBankHeight(const SectionDimensions& s) {
    double deepest = s.depth;
    for (double depth : {s.normalDepth, s.criticalDepth, s.enlargedDepth}) {
        if (Exists(depth)) deepest = std::max(deepest, depth);
    }
    // A designed canal's banks stand at its depth H (hb + Fb rounded up),
    // never below the water drawn.
    if (Exists(s.canalDepth)) return std::max(s.canalDepth, deepest);
    // GB 50288-2018, 6.4.8-2: Fb = hd/4 + 0.2 m above the deepest level hd.
    return deepest + kFreeboardShareOfDepth * deepest + kFreeboardAllowance;
}

double SectionScale(const SectionDimensions& s) {
    const double bank = SectionBankHeight(s);
    const double width = s.WidthAt(bank);
    const double fits = std::min(kSectionMaxWidth / width, kSectionMaxHeight / bank);
    // Round scales only; the small allowance keeps 20 from reading as 19.99….
    const double decade = std::pow(10.0, std::floor(std::log10(fits) + 1e-12));
    for (double step : {5.0, 2.0}) {
        if (step * decade <= fits * (1 + 1e-12)) return step * decade;
    }
    return decade;
}

Drawing DescribeSection(const SectionDimensions& section) {
    Drawing drawing;
    drawing.frame = kSectionFrame;
    SectionPlot plot(drawing, section);
    plot.DrawLines();
    plot.PlaceTexts();
    return drawing;
}

DrawingOutcome DrawSection(CadConnection& connection, Automation& automation,
                           const SectionDimensions& section) {
    if (!SectionDrawable(section).ok()) return DrawingOutcome::Incomplete;
    return RenderThroughAutomation(connection, automation, DescribeSection(section));
}

}  // namespace channel
