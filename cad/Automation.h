#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace channel {

// The narrow, late-bound automation interface the CAD connection is written
// against. Members are addressed by name, as text; a backend resolves them
// (COM through IDispatch, our own DXF server, a test recorder).
//
// Plain C++ only: the Windows COM backend includes this and is built without Qt.

// A backend's representation of one object reference. Destroying it releases
// the reference, so a slot can be emptied without knowing which backend filled
// it, also after that backend object is gone.
class AutomationObject {
  public:
    virtual ~AutomationObject() = default;
};

// The contents of a point buffer: a one-dimensional array of doubles in the
// form the backend passes points in. Destroying it frees the array.
class AutomationArray {
  public:
    virtual ~AutomationArray() = default;
};

// An owned object reference, or nothing.
using ObjectSlot = std::unique_ptr<AutomationObject>;
// A variant that holds an array of doubles, or nothing.
using PointBuffer = std::unique_ptr<AutomationArray>;

// A value handed to a property write or a method call. A point is passed as
// the buffer that holds its array, not as a copy of its numbers.
using PointArgument = std::reference_wrapper<const PointBuffer>;
using AutomationValue = std::variant<bool, int, double, std::string, PointArgument>;

class Automation {
  public:
    virtual ~Automation() = default;

    // Binds `slot` to an already running instance of the class registered
    // under `progId`. False when none runs; `slot` is then left empty.
    virtual bool AttachRunning(ObjectSlot& slot, std::string_view progId) = 0;
    // Starts a new instance into `slot`; `slot` stays empty when that fails.
    virtual void CreateInstance(ObjectSlot& slot, std::string_view progId) = 0;

    // A property whose value is an object; an empty slot when the read fails
    // or `object` is empty.
    virtual ObjectSlot GetObjectProperty(const ObjectSlot& object, std::string_view member) = 0;
    virtual bool SetProperty(const ObjectSlot& object, std::string_view member,
                             const AutomationValue& value) = 0;
    // A method whose result is an object; an empty slot on failure.
    virtual ObjectSlot CallObjectMethod(const ObjectSlot& object, std::string_view member,
                                        std::span<const AutomationValue> arguments) = 0;

    // Makes `buffer` hold a new array of `length` doubles, freeing what it
    // held before.
    virtual bool MakeDoubleArray(PointBuffer& buffer, int length) = 0;
    // Sets element `index`, counted from 1, of the array in `buffer`.
    virtual bool SetArrayElement(PointBuffer& buffer, double value, int index) = 0;

    // Releasing needs no backend: each reference knows how to let go of
    // itself. Both leave the slot empty and accept an empty one.
    static void ReleaseObject(ObjectSlot& slot) { slot.reset(); }
    static void ReleaseVariant(PointBuffer& buffer) { buffer.reset(); }
};

// Member and ProgID names are matched the way COM matches them: ignoring the
// case of ASCII letters.
inline bool SameAutomationName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace channel
