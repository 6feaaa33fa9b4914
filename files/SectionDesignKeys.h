#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>

#include "hydraulics/SectionDesign.h"

namespace channel {

// A row's section-design inputs as the element files keep them: one JSON
// object per row under the file's "sectionDesigns" key, every input under an
// optional key of its own, a number each ("grade" a whole one):
//
//   {"increasePercent": 25, "grade": 5, "minimumDischarge": 0.8,
//    "nonScouringVelocity": 0.9, "nonSiltingVelocity": 0.3,
//    "widthStep": 0.05, "depthStep": 0.05}
//
// Keys it does not know stay in the object untouched, so a newer program's
// inputs survive opening and saving here.
namespace section_design_keys {

// Why `object` cannot be a row's design inputs (a known key with a value of
// the wrong type), in Chinese; nullopt when it can. `row` names the row.
std::optional<QString> TypeFault(const QJsonObject& object, int row);

DesignAllowances Read(const QJsonObject& object);
// `kept` with the known keys replaced by `allowances` (a missing input
// removes its key); the keys it does not know stay.
QJsonObject Written(const DesignAllowances& allowances, QJsonObject kept = {});

}  // namespace section_design_keys

}  // namespace channel
