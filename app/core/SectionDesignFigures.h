#pragma once

#include <QList>

#include "app/core/SectionDetails.h"
#include "hydraulics/SectionDesign.h"

namespace channel {

// The enlarged discharge, its depth, the bank and the velocity checks of a
// design as lines of a values list, under their heading: what 断面详情 and
// the design window both show.
QList<SectionDetails::Value> DesignFigures(const DesignChecks& checks);

// "满足" or how far the velocity misses its limit.
QString VelocityVerdict(const VelocityCheck& check, bool upper);

}  // namespace channel
