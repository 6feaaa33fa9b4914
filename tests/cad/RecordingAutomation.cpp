#include "RecordingAutomation.h"

#include <array>
#include <charconv>

namespace channel {

namespace {

using CallLog = std::vector<std::string>;

class RecordedObject : public AutomationObject {
  public:
    RecordedObject(std::string name, std::shared_ptr<CallLog> log)
        : name(std::move(name)), log_(std::move(log)) {}
    ~RecordedObject() override { log_->push_back("ReleaseObject " + name); }
    const std::string name;

  private:
    std::shared_ptr<CallLog> log_;
};

class RecordedArray : public AutomationArray {
  public:
    RecordedArray(std::string name, int length, std::shared_ptr<CallLog> log)
        : name(std::move(name)),
          values(static_cast<std::size_t>(length), 0.0),
          log_(std::move(log)) {}
    ~RecordedArray() override { log_->push_back("ReleaseVariant " + name); }
    const std::string name;
    std::vector<double> values;

  private:
    std::shared_ptr<CallLog> log_;
};

std::string NameOf(const ObjectSlot& slot) {
    if (!slot) return "<empty>";
    const auto* object = dynamic_cast<const RecordedObject*>(slot.get());
    return object != nullptr ? object->name : "<foreign>";
}

std::string Describe(const PointBuffer& buffer) {
    const auto* array = dynamic_cast<const RecordedArray*>(buffer.get());
    if (array == nullptr) return buffer ? "<foreign>" : "<empty>";
    std::string text = array->name + "(";
    for (std::size_t i = 0; i < array->values.size(); ++i) {
        if (i > 0) text += ",";
        text += RecordedNumber(array->values[i]);
    }
    return text + ")";
}

std::string Describe(const AutomationValue& value) {
    if (const bool* flag = std::get_if<bool>(&value)) return *flag ? "bool:true" : "bool:false";
    if (const int* integer = std::get_if<int>(&value)) return "int:" + std::to_string(*integer);
    if (const double* real = std::get_if<double>(&value)) return "double:" + RecordedNumber(*real);
    if (const auto* text = std::get_if<std::string>(&value)) return "text:\"" + *text + "\"";
    return Describe(std::get<PointArgument>(value).get());
}

std::string Outcome(const ObjectSlot& result) {
    return " -> " + (result ? NameOf(result) : "none");
}

}  // namespace

std::string RecordedNumber(double value) {
    std::array<char, 32> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    return std::string(digits.data(), result.ptr);
}

RecordingAutomation::RecordingAutomation(Behaviour behaviour)
    : behaviour_(std::move(behaviour)), calls_(std::make_shared<CallLog>()) {}

ObjectSlot RecordingAutomation::NewObject(std::string_view origin) {
    const int number = ++numbers_[std::string(origin)];
    return std::make_unique<RecordedObject>(std::string(origin) + "#" + std::to_string(number),
                                            calls_);
}

bool RecordingAutomation::Fails(std::string_view member) const {
    for (const std::string& failing : behaviour_.failingMembers) {
        if (SameAutomationName(failing, member)) return true;
    }
    return false;
}

bool RecordingAutomation::AttachRunning(ObjectSlot& slot, std::string_view progId) {
    slot = behaviour_.applicationRunning ? NewObject(progId) : nullptr;
    Record("AttachRunning " + std::string(progId) + Outcome(slot));
    return slot != nullptr;
}

void RecordingAutomation::CreateInstance(ObjectSlot& slot, std::string_view progId) {
    slot = behaviour_.applicationStarts ? NewObject(progId) : nullptr;
    Record("CreateInstance " + std::string(progId) + Outcome(slot));
}

ObjectSlot RecordingAutomation::GetObjectProperty(const ObjectSlot& object,
                                                  std::string_view member) {
    ObjectSlot result = object && !Fails(member) ? NewObject(member) : nullptr;
    Record("GetObjectProperty " + NameOf(object) + "." + std::string(member) + Outcome(result));
    return result;
}

bool RecordingAutomation::SetProperty(const ObjectSlot& object, std::string_view member,
                                      const AutomationValue& value) {
    const bool succeeded = object && !Fails(member);
    Record("SetProperty " + NameOf(object) + "." + std::string(member) + " = " + Describe(value) +
           (succeeded ? "" : " failed"));
    return succeeded;
}

ObjectSlot RecordingAutomation::CallObjectMethod(const ObjectSlot& object, std::string_view member,
                                                 std::span<const AutomationValue> arguments) {
    std::string line = "CallObjectMethod " + NameOf(object) + "." + std::string(member) + "(";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) line += ", ";
        line += Describe(arguments[i]);
    }
    ObjectSlot result = object && !Fails(member) ? NewObject(member) : nullptr;
    Record(line + ")" + Outcome(result));
    return result;
}

bool RecordingAutomation::MakeDoubleArray(PointBuffer& buffer, int length) {
    const std::string name = "array#" + std::to_string(++numbers_["array"]);
    Record("MakeDoubleArray -> " + name + "[" + std::to_string(length) + "]");
    buffer = std::make_unique<RecordedArray>(name, length, calls_);
    return true;
}

bool RecordingAutomation::SetArrayElement(PointBuffer& buffer, double value, int index) {
    auto* array = dynamic_cast<RecordedArray*>(buffer.get());
    const bool succeeded =
        array != nullptr && index >= 1 && static_cast<std::size_t>(index) <= array->values.size();
    if (succeeded) array->values[static_cast<std::size_t>(index) - 1] = value;
    Record("SetArrayElement " + (array != nullptr ? array->name : std::string("<empty>")) + "[" +
           std::to_string(index) + "] = " + RecordedNumber(value) + (succeeded ? "" : " failed"));
    return succeeded;
}

}  // namespace channel
