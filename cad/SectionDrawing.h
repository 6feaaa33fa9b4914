#pragma once

#include <string>

#include "cad/Automation.h"
#include "cad/CadConnection.h"
#include "cad/Drawing.h"
#include "cad/DrawingOutcome.h"
#include "io/Outcome.h"

namespace channel {

// One row's trapezoidal cross-section, in metres: what the CAD drawing, the
// section view of the details window and any other picture of the section
// draw. A depth that does not exist (no uniform flow, no discharge) is NaN or
// not above zero; its line is left out.
struct SectionDimensions {
    int row = 0;               // the table row, named in the title
    double bottomWidth = 0;    // b
    double sideSlope = 0;      // m: m units across per unit up
    double depth = 0;          // h, the water depth in the table
    double normalDepth = 0;    // h0
    double criticalDepth = 0;  // hk
    // A designed canal: its depth H (the bank top) and the depth hb of its
    // enlarged discharge; not above zero for a row without a design, whose
    // banks rise by the standard freeboard above its deepest level.
    double canalDepth = 0;     // H
    double enlargedDepth = 0;  // hb
    // Half the width at `level` above the bed: b/2 + m·level.
    double HalfWidthAt(double level) const { return bottomWidth / 2 + sideSlope * level; }
    // The width at `level` above the bed: b + 2·m·level.
    double WidthAt(double level) const { return bottomWidth + 2 * sideSlope * level; }
    double TopWidth() const { return WidthAt(depth); }  // B at h
};

// Whether `section` can be drawn: b and m finite and not negative, not both
// zero, and h finite and above zero. If not, why, in Chinese (UTF-8).
Outcome<std::string> SectionDrawable(const SectionDimensions& section);

// Geometry of the drawing, in drawing units. The section is drawn at one
// scale for both directions: `scale` drawing units per metre, the largest
// of ... 0.5, 1, 2, 5, 10, 20, 50 ... at which the section up to its bank tops
// fits kSectionMaxWidth × kSectionMaxHeight. It stands to the right of the
// elements table (x 20 to 240), its bed centred on kSectionCentreX at
// kSectionBedY.
inline constexpr double kSectionCentreX = 390;
inline constexpr double kSectionBedY = 44;
inline constexpr double kSectionMaxWidth = 160;
inline constexpr double kSectionMaxHeight = 112;
// Without a canal design, the banks rise above the deepest of h, h0 and hk
// (hd) by the freeboard GB 50288-2018 clause 6.4.8-2 gives for a canal bank,
// Fb = hd/4 + 0.2 m.
inline constexpr double kFreeboardShareOfDepth = 0.25;
inline constexpr double kFreeboardAllowance = 0.2;  // m

// The area the section keeps within, clear of the table.
inline constexpr DrawingBox kSectionFrame{250, 16, 530, 192};

// The bank height above the bed: H when the canal has one, else hd + Fb.
double SectionBankHeight(const SectionDimensions& section);
double SectionScale(const SectionDimensions& section);

// The drawing of `section` (which must be SectionDrawable): bed, banks and
// their top edges, the water surface at h, the h0 line dashed and the hk line
// dotted, the b, h and B dimensions, the bank slope "1:m", the title and the
// scale; for a designed canal also the hb line dashed and the bank top's H.
// Lines first, then the texts, as the table drawing does.
Drawing DescribeSection(const SectionDimensions& section);

// Draws DescribeSection(section) into the active drawing; a section that is
// not SectionDrawable draws nothing and is Incomplete.
DrawingOutcome DrawSection(CadConnection& connection, Automation& automation,
                           const SectionDimensions& section);

}  // namespace channel
