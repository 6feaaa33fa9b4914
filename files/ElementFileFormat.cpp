#include "files/ElementFileFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QSet>
#include <QStringDecoder>
#include <cctype>
#include <cmath>
#include <optional>
#include <utility>

#include "files/MessageExcerpt.h"
#include "files/ReportInfoFormat.h"
#include "files/SectionDesignKeys.h"

namespace channel {

namespace element_file {
namespace {

constexpr char kFormatKey[] = "format";
constexpr char kVersionKey[] = "version";
constexpr char kRowsKey[] = "rows";
constexpr char kColumnsKey[] = "columns";
constexpr char kCellsKey[] = "cells";
constexpr char kDesignDischargesKey[] = "designDischarges";
constexpr char kSectionDesignsKey[] = "sectionDesigns";

using Decoded = Result<Contents, QString>;

Decoded Refused(const QString& reason) {
    return Decoded::Failure(reason);
}

bool IsValidUtf8(const QByteArray& bytes) {
    // Stateless: an incomplete sequence at the end counts as an error too.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = decoder.decode(bytes);
    return !decoder.hasError();
}

// JSON text never needs a control byte other than the whitespace between
// tokens; our writer escapes them inside strings. Anything else is binary.
bool HasBinaryBytes(const QByteArray& bytes) {
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x20 && value != '\t' && value != '\n' && value != '\r') return true;
    }
    return false;
}

// Qt's parser takes an unknown escape such as \x as the bare letter, which
// would silently change a cell's text. Only the escapes of JSON pass.
bool HasInvalidEscape(const QByteArray& bytes) {
    bool inString = false;
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        const char byte = bytes[at];
        if (byte == '"') {
            inString = !inString;
        } else if (inString && byte == '\\') {
            if (++at >= bytes.size()) return true;
            const char escaped = bytes[at];
            if (escaped == 'u') {
                for (int digit = 0; digit < 4; ++digit) {
                    if (++at >= bytes.size() ||
                        !std::isxdigit(static_cast<unsigned char>(bytes[at])))
                        return true;
                }
            } else if (!QByteArrayView("\"\\/bfnrt").contains(escaped)) {
                return true;
            }
        }
    }
    return false;
}

// A JSON number that is a whole number of sensible size, or nothing.
std::optional<int> WholeNumber(const QJsonValue& value) {
    if (!value.isDouble()) return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number) || number != std::trunc(number) || std::fabs(number) > 1e9)
        return std::nullopt;
    return static_cast<int>(number);
}

// A value as compact JSON text; a bare string or number too, which
// QJsonDocument alone does not write.
QByteArray CompactJson(const QJsonValue& value) {
    QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return text.mid(1, text.size() - 2);
}

}  // namespace

QByteArray Encode(int rows, int columns, const QStringList& cells,
                  const QStringList& designDischarges, const QList<QJsonObject>& sectionDesigns,
                  const QJsonObject& extras, const ReportInfo& reportInfo) {
    QByteArray out;
    out += "{\n";
    out += QByteArray("    \"") + kFormatKey + "\": \"" + kFormatName + "\",\n";
    out += QByteArray("    \"") + kVersionKey + "\": " + QByteArray::number(kFormatVersion) + ",\n";
    out += QByteArray("    \"") + kRowsKey + "\": " + QByteArray::number(rows) + ",\n";
    out += QByteArray("    \"") + kColumnsKey + "\": " + QByteArray::number(columns) + ",\n";
    out += QByteArray("    \"") + kCellsKey + "\": [\n";
    for (int row = 0; row < rows; ++row) {
        QJsonArray rowCells;
        for (int column = 0; column < columns; ++column)
            rowCells.append(cells[row * columns + column]);
        out += "        ";
        out += QJsonDocument(rowCells).toJson(QJsonDocument::Compact);
        out += row + 1 < rows ? ",\n" : "\n";
    }
    out += "    ]";
    if (!designDischarges.isEmpty()) {
        out += QByteArray(",\n    \"") + kDesignDischargesKey + "\": ";
        out += QJsonDocument(QJsonArray::fromStringList(designDischarges))
                   .toJson(QJsonDocument::Compact);
    }
    if (!reportInfo.IsEmpty()) {
        out += QByteArray(",\n    \"") + kReportInfoKey + "\": ";
        out += QJsonDocument(ReportInfoToJson(reportInfo)).toJson(QJsonDocument::Compact);
    }
    if (!sectionDesigns.isEmpty()) {
        QJsonArray designs;
        for (const QJsonObject& design : sectionDesigns) designs.append(design);
        out += QByteArray(",\n    \"") + kSectionDesignsKey + "\": ";
        out += QJsonDocument(designs).toJson(QJsonDocument::Compact);
    }
    for (auto extra = extras.begin(); extra != extras.end(); ++extra) {
        out += ",\n    " + CompactJson(extra.key()) + ": " + CompactJson(extra.value());
    }
    out += "\n}\n";
    return out;
}

Decoded Decode(const QByteArray& bytes, int expectedRows, int expectedColumns) {
    const QString notElementFile = QStringLiteral("这不是水利要素文件。");
    if (bytes.isEmpty()) return Refused(QStringLiteral("文件是空的。"));
    if (!IsValidUtf8(bytes)) return Refused(QStringLiteral("文件不是有效的 UTF-8 文本。"));
    if (HasBinaryBytes(bytes))
        return Refused(QStringLiteral("文件含有二进制数据，") + notElementFile);

    if (HasInvalidEscape(bytes)) return Refused(QStringLiteral("文件含有无效的转义字符。"));

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return Refused(
            QStringLiteral("文件内容不完整或格式有误（第 %1 字节附近）。").arg(parseError.offset));
    }
    if (!document.isObject()) return Refused(notElementFile);
    const QJsonObject root = document.object();
    if (root.value(QLatin1String(kFormatKey)) != QJsonValue(QLatin1String(kFormatName)))
        return Refused(notElementFile);

    const QSet<QString> knownKeys = {kFormatKey,         kVersionKey,   kRowsKey,
                                     kColumnsKey,        kCellsKey,     kDesignDischargesKey,
                                     kSectionDesignsKey, kReportInfoKey};
    QJsonObject extras;
    for (auto entry = root.begin(); entry != root.end(); ++entry) {
        if (!knownKeys.contains(entry.key())) extras.insert(entry.key(), entry.value());
    }

    const std::optional<int> version = WholeNumber(root.value(QLatin1String(kVersionKey)));
    if (!version) return Refused(QStringLiteral("文件缺少有效的版本号。"));
    if (*version != kFormatVersion) {
        return Refused(QStringLiteral("文件版本 %1 不受支持，本程序只能读取版本 %2。")
                           .arg(*version)
                           .arg(kFormatVersion));
    }

    const std::optional<int> rows = WholeNumber(root.value(QLatin1String(kRowsKey)));
    const std::optional<int> columns = WholeNumber(root.value(QLatin1String(kColumnsKey)));
    if (!rows || !columns) return Refused(QStringLiteral("文件中的行数或列数无效。"));
    if (*rows != expectedRows || *columns != expectedColumns) {
        return Refused(QStringLiteral("表格大小不符：文件为 %1 行 %2 列，本表格为 %3 行 %4 列。")
                           .arg(*rows)
                           .arg(*columns)
                           .arg(expectedRows)
                           .arg(expectedColumns));
    }

    const QJsonValue cellsValue = root.value(QLatin1String(kCellsKey));
    if (!cellsValue.isArray()) return Refused(QStringLiteral("文件缺少单元格数据。"));
    const QJsonArray cellRows = cellsValue.toArray();
    if (cellRows.size() != *rows) {
        return Refused(QStringLiteral("文件声明 %1 行，实际有 %2 行单元格数据。")
                           .arg(*rows)
                           .arg(cellRows.size()));
    }

    Contents contents;
    contents.cells.reserve(static_cast<qsizetype>(*rows) * *columns);
    for (int row = 0; row < *rows; ++row) {
        const QJsonValue rowValue = cellRows.at(row);
        const QJsonArray rowCells = rowValue.toArray();
        if (!rowValue.isArray() || rowCells.size() != *columns) {
            return Refused(
                QStringLiteral("第 %1 行的单元格数据不是 %2 个文本。").arg(row).arg(*columns));
        }
        for (int column = 0; column < *columns; ++column) {
            const QJsonValue cell = rowCells.at(column);
            if (!cell.isString()) {
                return Refused(
                    QStringLiteral("第 %1 行第 %2 列的单元格不是文本。").arg(row).arg(column));
            }
            contents.cells.append(cell.toString());
        }
    }
    if (root.contains(QLatin1String(kDesignDischargesKey))) {
        const QJsonValue designsValue = root.value(QLatin1String(kDesignDischargesKey));
        const QJsonArray designs = designsValue.toArray();
        const QString wrongDesigns = QStringLiteral("文件中的设计流量不是 %1 个文本。").arg(*rows);
        if (!designsValue.isArray() || designs.size() != *rows) return Refused(wrongDesigns);
        for (const QJsonValue design : designs) {
            if (!design.isString()) return Refused(wrongDesigns);
            contents.designDischarges.append(design.toString());
        }
    }
    if (root.contains(QLatin1String(kReportInfoKey))) {
        const auto info = ReportInfoFromJson(root.value(QLatin1String(kReportInfoKey)));
        if (!info) return Refused(QStringLiteral("文件中的计算书信息有误。"));
        contents.reportInfo = *info;
    }
    if (root.contains(QLatin1String(kSectionDesignsKey))) {
        const QJsonValue designsValue = root.value(QLatin1String(kSectionDesignsKey));
        const QJsonArray designs = designsValue.toArray();
        if (!designsValue.isArray() || designs.size() != *rows)
            return Refused(QStringLiteral("文件中的断面设计数据不是 %1 个对象。").arg(*rows));
        for (int row = 0; row < *rows; ++row) {
            const QJsonValue design = designs.at(row);
            if (!design.isObject())
                return Refused(QStringLiteral("文件中的断面设计数据不是 %1 个对象。").arg(*rows));
            if (const auto fault = section_design_keys::TypeFault(design.toObject(), row))
                return Refused(*fault);
            contents.sectionDesigns.append(design.toObject());
        }
    }
    contents.extras = std::move(extras);
    return Decoded::Success(std::move(contents));
}

}  // namespace element_file

}  // namespace channel
