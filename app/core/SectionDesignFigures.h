#pragma once

#include <QList>

#include "app/core/SectionDetails.h"
#include "hydraulics/SectionDesign.h"

namespace channel {

// The enlarged discharge, its depth, the bank and the velocity checks of a
// design as lines of a values list, under their heading: what 断面详情 and
// the design window both show (the latter with the percentage p too).
QList<SectionDetails::Value> DesignFigures(const DesignChecks& checks, bool withPercent);

// The velocity and "满足", or how far it is beyond (超) or short of (差) its
// limit.
QString VelocityVerdict(const VelocityCheck& check, bool upper);

}  // namespace channel
