#include "cad/DxfAutomationServer.h"

#include <cstddef>
#include <optional>
#include <vector>

#include "cad/CadConnection.h"

namespace channel {

namespace {

enum class Kind { Application, Document, ModelSpace, TextStyle, Line, Text };

// AutoCAD's AcAlignment values this server understands.
constexpr int kAlignmentLeft = 0;
constexpr int kAlignmentMiddle = 4;

// An object of the server. It keeps the drawing alive, so a slot may outlive
// the server that filled it.
class DxfObject : public AutomationObject {
  public:
    DxfObject(std::shared_ptr<DxfDrawing> drawing, Kind kind, std::size_t entity = 0)
        : drawing_(std::move(drawing)), kind_(kind), entity_(entity) {}

    DxfDrawing& Drawing() const { return *drawing_; }
    const std::shared_ptr<DxfDrawing>& SharedDrawing() const { return drawing_; }
    Kind GetKind() const { return kind_; }
    DxfText& Text() const { return std::get<DxfText>(drawing_->entities[entity_]); }

  private:
    std::shared_ptr<DxfDrawing> drawing_;
    Kind kind_;
    std::size_t entity_;
};

class DxfArray : public AutomationArray {
  public:
    explicit DxfArray(int length) : values(static_cast<std::size_t>(length), 0.0) {}
    std::vector<double> values;
};

const DxfObject* ObjectOf(const ObjectSlot& slot) {
    return dynamic_cast<const DxfObject*>(slot.get());
}

ObjectSlot MakeObject(const DxfObject& from, Kind kind, std::size_t entity = 0) {
    return std::make_unique<DxfObject>(from.SharedDrawing(), kind, entity);
}

std::optional<DxfPoint> PointOf(const AutomationValue& value) {
    const auto* argument = std::get_if<PointArgument>(&value);
    if (argument == nullptr) return std::nullopt;
    const auto* array = dynamic_cast<const DxfArray*>(argument->get().get());
    if (array == nullptr || array->values.size() != 3) return std::nullopt;
    return DxfPoint{array->values[0], array->values[1], array->values[2]};
}

// COM coerces between the number types; so does the server.
std::optional<double> NumberOf(const AutomationValue& value) {
    if (const int* integer = std::get_if<int>(&value)) return *integer;
    if (const double* real = std::get_if<double>(&value)) return *real;
    return std::nullopt;
}

bool SetTextProperty(DxfText& text, std::string_view member, const AutomationValue& value) {
    if (SameAutomationName(member, "scalefactor")) {
        const std::optional<double> factor = NumberOf(value);
        if (!factor) return false;
        text.widthFactor = *factor;
        return true;
    }
    if (SameAutomationName(member, "Alignment")) {
        const int* alignment = std::get_if<int>(&value);
        if (alignment == nullptr) return false;
        if (*alignment == kAlignmentLeft) {
            text.alignment = DxfTextAlignment::Left;
        } else if (*alignment == kAlignmentMiddle) {
            text.alignment = DxfTextAlignment::MiddleCentre;
        } else {
            return false;
        }
        return true;
    }
    if (SameAutomationName(member, "TextAlignmentPoint")) {
        const std::optional<DxfPoint> point = PointOf(value);
        if (!point) return false;
        text.alignmentPoint = *point;
        return true;
    }
    return false;
}

}  // namespace

bool DxfAutomationServer::AttachRunning(ObjectSlot& slot, std::string_view) {
    slot.reset();
    return false;
}

void DxfAutomationServer::CreateInstance(ObjectSlot& slot, std::string_view progId) {
    slot.reset();
    if (SameAutomationName(progId, kCadProgId)) {
        slot = std::make_unique<DxfObject>(drawing_, Kind::Application);
    }
}

ObjectSlot DxfAutomationServer::GetObjectProperty(const ObjectSlot& object,
                                                  std::string_view member) {
    const DxfObject* owner = ObjectOf(object);
    if (owner == nullptr) return nullptr;
    switch (owner->GetKind()) {
        case Kind::Application:
            if (SameAutomationName(member, "ActiveDocument")) {
                return MakeObject(*owner, Kind::Document);
            }
            break;
        case Kind::Document:
            if (SameAutomationName(member, "ModelSpace"))
                return MakeObject(*owner, Kind::ModelSpace);
            if (SameAutomationName(member, "ActiveTextStyle")) {
                return MakeObject(*owner, Kind::TextStyle);
            }
            break;
        default:
            break;
    }
    return nullptr;
}

bool DxfAutomationServer::SetProperty(const ObjectSlot& object, std::string_view member,
                                      const AutomationValue& value) {
    const DxfObject* owner = ObjectOf(object);
    if (owner == nullptr) return false;
    switch (owner->GetKind()) {
        case Kind::Application:
            // There is no window to show; the put is accepted so the
            // connection runs as it does against AutoCAD.
            return SameAutomationName(member, "Visible") && std::holds_alternative<bool>(value);
        case Kind::TextStyle:
            if (SameAutomationName(member, "BigFontFile")) {
                const auto* file = std::get_if<std::string>(&value);
                if (file == nullptr) return false;
                owner->Drawing().textStyle.bigFontFile = *file;
                return true;
            }
            return false;
        case Kind::Text:
            return SetTextProperty(owner->Text(), member, value);
        default:
            return false;
    }
}

ObjectSlot DxfAutomationServer::CallObjectMethod(const ObjectSlot& object, std::string_view member,
                                                 std::span<const AutomationValue> arguments) {
    const DxfObject* owner = ObjectOf(object);
    if (owner == nullptr || owner->GetKind() != Kind::ModelSpace) return nullptr;
    std::vector<DxfEntity>& entities = owner->Drawing().entities;

    if (SameAutomationName(member, "addline") && arguments.size() == 2) {
        const std::optional<DxfPoint> start = PointOf(arguments[0]);
        const std::optional<DxfPoint> end = PointOf(arguments[1]);
        if (!start || !end) return nullptr;
        entities.emplace_back(DxfLine{*start, *end});
        return MakeObject(*owner, Kind::Line, entities.size() - 1);
    }
    if (SameAutomationName(member, "AddText") && arguments.size() == 3) {
        const auto* text = std::get_if<std::string>(arguments.data());
        const std::optional<DxfPoint> point = PointOf(arguments[1]);
        const std::optional<double> height = NumberOf(arguments[2]);
        if (text == nullptr || !point || !height) return nullptr;
        DxfText entity;
        entity.utf8Text = *text;
        entity.insertion = *point;
        entity.alignmentPoint = *point;
        entity.height = *height;
        entity.styleName = owner->Drawing().textStyle.name;
        entities.emplace_back(std::move(entity));
        return MakeObject(*owner, Kind::Text, entities.size() - 1);
    }
    return nullptr;
}

bool DxfAutomationServer::MakeDoubleArray(PointBuffer& buffer, int length) {
    if (length <= 0) {
        buffer.reset();
        return false;
    }
    buffer = std::make_unique<DxfArray>(length);
    return true;
}

bool DxfAutomationServer::SetArrayElement(PointBuffer& buffer, double value, int index) {
    auto* array = dynamic_cast<DxfArray*>(buffer.get());
    if (array == nullptr || index < 1 || static_cast<std::size_t>(index) > array->values.size()) {
        return false;
    }
    array->values[static_cast<std::size_t>(index) - 1] = value;
    return true;
}

}  // namespace channel
