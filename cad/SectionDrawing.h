#pragma once

#include <string>

#include "cad/Automation.h"
#include "cad/CadConnection.h"
#include "cad/DrawingOutcome.h"
#include "io/Outcome.h"

namespace channel {

// The outline of a trapezoidal section, in metres: what both the CAD drawing
// and the section view of the details window draw.
struct SectionShape {
    double bottomWidth = 0;  // b
    double sideSlope = 0;    // m: m units across per unit up
    // Half the width at `depth` above the bed: b/2 + m·depth.
    double HalfWidthAt(double depth) const { return bottomWidth / 2 + sideSlope * depth; }
    // The width at `depth` above the bed: b + 2·m·depth.
    double WidthAt(double depth) const { return bottomWidth + 2 * sideSlope * depth; }
};

// Whether `shape` outlines a section: b and m finite and not negative, and not
// both zero. If not, why, in Chinese (UTF-8).
Outcome<std::string> ShapeDrawable(const SectionShape& shape);

// One row's trapezoidal cross-section, in metres. A depth that does not exist
// (no uniform flow, no discharge) is NaN or not above zero; its line is left
// out.
struct SectionDimensions {
    int row = 0;               // the table row, named in the title
    double bottomWidth = 0;    // b
    double sideSlope = 0;      // m: m units across per unit up
    double depth = 0;          // h, the water depth in the table
    double normalDepth = 0;    // h0
    double criticalDepth = 0;  // hk
    SectionShape Shape() const { return {bottomWidth, sideSlope}; }
    double TopWidth() const { return Shape().WidthAt(depth); }  // B at h
};

// Whether `section` can be drawn: its shape outlines a section (ShapeDrawable)
// and h is finite and above zero. If not, why, in Chinese (UTF-8).
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
// The banks rise to this multiple of the deepest of h, h0 and hk.
inline constexpr double kBankHeightFactor = 1.25;

double SectionBankHeight(const SectionDimensions& section);
double SectionScale(const SectionDimensions& section);

// Draws `section` (which must be SectionDrawable) into the active
// drawing: bed, banks and their top edges, the water surface at h, the h0
// and hk lines, the b, h and B dimensions, the bank slope "1:m", the title
// and the scale. Lines first, then the texts, as the table drawing does.
DrawingOutcome DrawSection(CadConnection& connection, Automation& automation,
                           const SectionDimensions& section);

}  // namespace channel
