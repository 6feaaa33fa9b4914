#include "cad/DxfFileWriter.h"

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <string_view>
#include <utility>

#include "cad/CadMessages.h"
#include "cad/DxfTextEncoding.h"
#include "io/AtomicFileWrite.h"

namespace channel {

namespace {

constexpr char kChineseCodePage[] = "ANSI_936";
constexpr int kColourWhite = 7;
constexpr int kColourByLayer = 256;

// dxflib's writer only writes to a named file; this one collects the bytes so
// the file can be saved atomically. Given no file name, the base class's own
// stream stays closed and every tag goes through the overrides below. Numbers
// are written locale-independently.
class DxfByteWriter : public DL_WriterA {
  public:
    DxfByteWriter() : DL_WriterA("", DL_Codes::AC1009) {}

    void dxfReal(int code, double value) const override {
        // Room for any double written out in full.
        std::array<char, 400> digits{};
        const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                                std::chars_format::fixed);
        std::string text(digits.data(), error == std::errc() ? end : digits.data());
        if (text.find_first_of(".ni") == std::string::npos) text += ".0";
        Tag(code, text);
    }
    void dxfInt(int code, int value) const override { Tag(code, std::to_string(value)); }
    void dxfHex(int code, int value) const override {
        std::array<char, 16> digits{};
        const auto result = std::to_chars(digits.data(), digits.data() + digits.size(),
                                          static_cast<unsigned>(value), 16);
        std::string text(digits.data(), result.ptr);
        for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        Tag(code, text);
    }
    void dxfString(int code, const char* value) const override { Tag(code, value); }
    void dxfString(int code, const std::string& value) const override { Tag(code, value); }

    const QByteArray& Bytes() const { return bytes_; }

  private:
    void Tag(int code, std::string_view value) const {
        const std::string number = std::to_string(code);
        bytes_.append(3 - std::min<qsizetype>(3, qsizetype(number.size())), ' ');
        bytes_ += number;
        bytes_ += "\r\n";
        bytes_.append(value.data(), qsizetype(value.size()));
        bytes_ += "\r\n";
    }

    mutable QByteArray bytes_;
};

std::string Gbk(const std::string& utf8) {
    return EncodeDxfText(QString::fromUtf8(utf8)).toStdString();
}

// A text entity's value, cut to what every reader takes.
std::string GbkText(const std::string& utf8) {
    return EncodeDxfText(QString::fromUtf8(utf8), kMaxDxfTextBytes).toStdString();
}

void WritePoint(DxfByteWriter& writer, const char* variable, const DxfPoint& point) {
    writer.dxfString(9, variable);
    writer.dxfReal(10, point.x);
    writer.dxfReal(20, point.y);
    writer.dxfReal(30, point.z);
}

// The viewport a reader opens with, centred on the drawing's extent and as
// high as it takes to show all of it, with a margin; otherwise the tags
// dxflib writes for it.
void WriteActiveViewport(DxfByteWriter& writer, const DxfDrawing& drawing) {
    constexpr double kAspect = 1.92798353909465;  // width / height, dxflib's
    constexpr double kMargin = 1.1;
    const double width = drawing.extentMax.x - drawing.extentMin.x;
    const double height = drawing.extentMax.y - drawing.extentMin.y;
    writer.table("VPORT", 1);
    writer.dxfString(0, "VPORT");
    writer.dxfString(2, "*Active");
    writer.dxfInt(70, 0);
    for (const auto& [code, value] : {std::pair{10, 0.0}, {20, 0.0}, {11, 1.0}, {21, 1.0}}) {
        writer.dxfReal(code, value);
    }
    writer.dxfReal(12, (drawing.extentMin.x + drawing.extentMax.x) / 2);
    writer.dxfReal(22, (drawing.extentMin.y + drawing.extentMax.y) / 2);
    for (const auto& [code, value] : {std::pair{13, 0.0},
                                      {23, 0.0},
                                      {14, 10.0},
                                      {24, 10.0},
                                      {15, 10.0},
                                      {25, 10.0},
                                      {16, 0.0},
                                      {26, 0.0},
                                      {36, 1.0},
                                      {17, 0.0},
                                      {27, 0.0},
                                      {37, 0.0}}) {
        writer.dxfReal(code, value);
    }
    writer.dxfReal(40, std::max(height, width / kAspect) * kMargin);
    writer.dxfReal(41, kAspect);
    for (const auto& [code, value] :
         {std::pair{42, 50.0}, {43, 0.0}, {44, 0.0}, {50, 0.0}, {51, 0.0}}) {
        writer.dxfReal(code, value);
    }
    for (const auto& [code, value] :
         {std::pair{71, 0}, {72, 100}, {73, 1}, {74, 3}, {75, 1}, {76, 1}, {77, 0}, {78, 0}}) {
        writer.dxfInt(code, value);
    }
    writer.tableEnd();
}

void WriteLayer(DL_Dxf& dxf, DxfByteWriter& writer, const DxfLayer& layer) {
    dxf.writeLayer(writer, DL_LayerData(Gbk(layer.name), 0),
                   DL_Attributes("", layer.colour, 0, layer.linetype, 1.0));
}

void WriteTables(DL_Dxf& dxf, DxfByteWriter& writer, const DxfDrawing& drawing) {
    writer.sectionTables();
    WriteActiveViewport(writer, drawing);
    writer.tableLinetypes(1);
    dxf.writeLinetype(writer, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    writer.tableEnd();
    writer.tableLayers(static_cast<int>(drawing.layers.size()) + 1);
    WriteLayer(dxf, writer, {"0", kColourWhite});
    for (const DxfLayer& layer : drawing.layers) WriteLayer(dxf, writer, layer);
    writer.tableEnd();
    writer.tableStyle(1);
    const DxfTextStyle& style = drawing.textStyle;
    dxf.writeStyle(writer, DL_StyleData(Gbk(style.name), 0, 0.0, 1.0, 0.0, 0, 2.5,
                                        Gbk(style.fontFile), Gbk(style.bigFontFile)));
    writer.tableEnd();
    dxf.writeView(writer);
    dxf.writeUcs(writer);
    writer.tableAppid(1);
    dxf.writeAppid(writer, "ACAD");
    writer.tableEnd();
    writer.sectionEnd();
}

void WriteEntity(DL_Dxf& dxf, DxfByteWriter& writer, const DxfEntity& entity) {
    if (const auto* line = std::get_if<DxfLine>(&entity)) {
        const DL_Attributes attributes(Gbk(line->layer), kColourByLayer, -1, "BYLAYER", 1.0);
        dxf.writeLine(writer,
                      DL_LineData(line->start.x, line->start.y, line->start.z, line->end.x,
                                  line->end.y, line->end.z),
                      attributes);
        return;
    }
    const auto& text = std::get<DxfText>(entity);
    const DL_Attributes attributes(Gbk(text.layer), kColourByLayer, -1, "BYLAYER", 1.0);
    // DXF horizontal 1 = centre, vertical 2 = middle.
    const bool centred = text.alignment == DxfTextAlignment::MiddleCentre;
    dxf.writeText(writer,
                  DL_TextData(text.insertion.x, text.insertion.y, text.insertion.z,
                              text.alignmentPoint.x, text.alignmentPoint.y, text.alignmentPoint.z,
                              text.height, text.widthFactor, 0, centred ? 1 : 0, centred ? 2 : 0,
                              GbkText(text.utf8Text), Gbk(text.styleName), 0.0),
                  attributes);
}

}  // namespace

Result<QByteArray, QString> DxfFileBytes(const DxfDrawing& drawing) {
    using FileBytes = Result<QByteArray, QString>;
    DL_Dxf dxf;
    // DL_Dxf takes the version it writes only from out(), which also opens a
    // file. Given a name it cannot open, it keeps the version and returns no
    // writer; the bytes then go through our own writer.
    delete dxf.out("", DL_Codes::AC1009);
    if (dxf.getVersion() != DL_Codes::AC1009)
        return FileBytes::Failure(QString::fromUtf8(cad_messages::kDxfLibraryWithoutR12));
    DxfByteWriter writer;
    dxf.writeHeader(writer);
    // dxflib leaves the code page out; without it readers would not know the
    // texts are GBK.
    writer.dxfString(9, "$DWGCODEPAGE");
    writer.dxfString(3, kChineseCodePage);
    // A reader opens the drawing zoomed to its extent; the limits keep the
    // grid on the same box.
    WritePoint(writer, "$EXTMIN", drawing.extentMin);
    WritePoint(writer, "$EXTMAX", drawing.extentMax);
    writer.dxfString(9, "$LIMMIN");
    writer.dxfReal(10, drawing.extentMin.x);
    writer.dxfReal(20, drawing.extentMin.y);
    writer.dxfString(9, "$LIMMAX");
    writer.dxfReal(10, drawing.extentMax.x);
    writer.dxfReal(20, drawing.extentMax.y);
    writer.sectionEnd();
    WriteTables(dxf, writer, drawing);
    writer.sectionBlocks();
    writer.sectionEnd();
    writer.sectionEntities();
    for (const DxfEntity& entity : drawing.entities) WriteEntity(dxf, writer, entity);
    writer.sectionEnd();
    writer.dxfEOF();
    return FileBytes::Success(writer.Bytes());
}

Outcome<QString> SaveDxfDrawing(const DxfDrawing& drawing, const QString& path) {
    const Result<QByteArray, QString> bytes = DxfFileBytes(drawing);
    if (!bytes.ok()) return Outcome<QString>::Failure(bytes.reason());
    const FileWriteOutcome written = WriteFileAtomically(path, bytes.value());
    if (!written.ok()) return Outcome<QString>::Failure(written.reason().reason);
    return Outcome<QString>::Success();
}

}  // namespace channel
