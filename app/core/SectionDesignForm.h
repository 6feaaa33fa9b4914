#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <array>
#include <map>
#include <optional>

#include "app/core/SectionDetails.h"
#include "hydraulics/SectionDesign.h"
#include "io/Outcome.h"

namespace channel {

class ElementsTable;

// What 断面设计 solves for.
enum class DesignMode {
    kEconomic,       // b and h: the best section and the economic ones
    kWidthForDepth,  // b for a given h
    kWidthForRatio,  // b and h for a given β = b/h
    kSlope,          // i for given b and h
    kRoughness,      // n for given b and h
};

// The typed fields of the design window, in its order.
enum class DesignField {
    kSideSlope,
    kRoughness,
    kBedSlope,
    kDischarge,
    kDepth,
    kRatio,
    kBottomWidth,
    kIncreasePercent,
    kEnlargedDischarge,
    kFreeboard,
    kMinimumDischarge,
    kScourLimit,
    kSiltLimit,
    kWidthStep,
    kDepthStep,
};
inline constexpr int kDesignFieldCount = 15;

// Everything the design window holds, as typed: the window only shows it,
// so a test fills it and evaluates it without one.
struct SectionDesignForm {
    DesignMode mode = DesignMode::kEconomic;
    int grade = kDefaultGrade;  // canal grade 1..5
    int chosen = 0;             // the candidate adopted (the best section first)
    std::array<QString, kDesignFieldCount> texts;

    QString& Text(DesignField field) { return texts[static_cast<int>(field)]; }
    const QString& Text(DesignField field) const { return texts[static_cast<int>(field)]; }
};

// The form for `row`: its side slope, roughness, bed slope, design
// discharge (its target), width and depth, and the design inputs it keeps.
SectionDesignForm FormForRow(const ElementsTable& table, int row);

// One answer of the design: a section, or why there is none; `limits` says
// whether its velocity keeps within the limits typed (empty without them).
struct DesignCandidate {
    QString label;
    std::optional<DesignedSection> section;
    QString reason;
    QString limits;
};

struct DesignOutcome {
    // Why a field cannot be read, for the label beside it.
    std::map<DesignField, QString> faults;
    QList<DesignCandidate> candidates;
    // Why nothing can be adopted; empty when the values below hold.
    QString reason;
    int column = 0;     // the table column 采用 writes
    double value = 0;   // what it writes there: b rounded to its step, i or n
    QString valueText;  // as it is written
    double width = 0;   // the section adopted and its depth at Q
    double depth = 0;
    // The enlarged discharge, bank and velocity figures, or why not.
    QList<SectionDetails::Value> figures;
    QString figuresReason;
};

DesignOutcome Evaluate(const SectionDesignForm& form);

// What 采用 writes into the row: the section inputs the form has other than
// the row, the chosen value into `column`, the design discharge when the
// form's differs from the row's, and the design inputs the row keeps.
struct SectionAdoption {
    struct Cell {
        int column = 0;
        QString text;
    };
    int row = 0;
    QList<Cell> inputs;
    int column = 0;
    QString text;
    QString discharge;  // empty: the row's design discharge stays
    QJsonObject design;
};
Result<SectionAdoption, QString> AdoptionFor(const ElementsTable& table, int row,
                                             const SectionDesignForm& form);

}  // namespace channel
