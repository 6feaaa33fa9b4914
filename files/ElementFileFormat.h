#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include "files/ReportInfo.h"
#include "io/Outcome.h"

namespace channel {

// The bytes of an element file: UTF-8 JSON that names its format and
// version, followed by the table's shape and its cells row by row, one row
// per line so that a diff shows which row changed. When a row's design
// discharge differs from its discharge cell, an optional last key keeps
// every row's design discharge ("" for none); a file without it stands for
// design discharges equal to the discharge cells, as older files do. When a
// row carries section-design inputs, an optional key after it keeps one
// object per row ({} for none; files/SectionDesignKeys.h). Keys this
// version does not know are kept and written back after its own, so a file
// from a newer version loses nothing by being opened and saved here; a key
// it knows must still hold what it expects. The calculation report's
// information, when there is any, follows as the optional object
// "reportInfo" (files/ReportInfoFormat.h).
//
//   {
//       "format": "hydraulic-elements-table",
//       "version": 1,
//       "rows": 11,
//       "columns": 12,
//       "cells": [
//           ["项目","底宽",...],
//           ...
//       ],
//       "designDischarges": ["","","2",...],
//       "sectionDesigns": [{},{},{"increasePercent":25},...]
//   }
namespace element_file {

inline constexpr char kFormatName[] = "hydraulic-elements-table";
inline constexpr int kFormatVersion = 1;

// Largest element file written or read. A full table of typed numbers is a
// few kilobytes; the cap leaves room for long pasted texts while keeping a
// stray multi-gigabyte file from being read into memory.
inline constexpr qint64 kMaxFileBytes = qint64{8} * 1024 * 1024;

// `cells` is row-major and holds rows * columns texts; `designDischarges`
// and `sectionDesigns` are empty (no key written) or hold one entry per row;
// `extras` are the keys kept from the file that was read; an empty
// `reportInfo` writes no key either, so such a file is byte for byte what it
// always was.
QByteArray Encode(int rows, int columns, const QStringList& cells,
                  const QStringList& designDischarges = {},
                  const QList<QJsonObject>& sectionDesigns = {}, const QJsonObject& extras = {},
                  const ReportInfo& reportInfo = {});

struct Contents {
    QStringList cells;  // row-major, expectedRows * expectedColumns texts
    // One text per row when the file keeps design discharges; empty when not.
    QStringList designDischarges;
    // One object per row when the file keeps section designs; empty when not.
    QList<QJsonObject> sectionDesigns;
    // The keys this version does not know, as the file has them.
    QJsonObject extras;
    ReportInfo reportInfo;  // empty when the file has none
};

// Accepts only a complete element file of this version whose shape is
// exactly expectedRows x expectedColumns; otherwise says why, in Chinese, for
// the user.
Result<Contents, QString> Decode(const QByteArray& bytes, int expectedRows, int expectedColumns);

}  // namespace element_file

}  // namespace channel
