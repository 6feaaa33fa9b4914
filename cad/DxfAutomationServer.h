#pragma once

#include <memory>

#include "cad/Automation.h"
#include "cad/DxfDrawing.h"

namespace channel {

// An in-process stand-in for AutoCAD that answers "autocad.Application" with
// just the members the CAD connection uses, and draws into a DxfDrawing:
//   application: Visible (put), ActiveDocument (get)
//   document:    ModelSpace (get), ActiveTextStyle (get)
//   model space: addline(start, end), AddText(text, point, height)
//   text style:  BigFontFile (put)
//   text:        scalefactor, Alignment, TextAlignmentPoint (put)
// Names match ignoring case. Anything else, a wrong argument type or an empty
// or foreign object fails the way a failed IDispatch::Invoke does.
//
// Nothing of it runs before CreateInstance, so AttachRunning always answers
// false and every export gets a fresh application drawing into `drawing`.
class DxfAutomationServer : public Automation {
  public:
    explicit DxfAutomationServer(std::shared_ptr<DxfDrawing> drawing)
        : drawing_(std::move(drawing)) {}

    bool AttachRunning(ObjectSlot& slot, std::string_view progId) override;
    void CreateInstance(ObjectSlot& slot, std::string_view progId) override;
    ObjectSlot GetObjectProperty(const ObjectSlot& object, std::string_view member) override;
    bool SetProperty(const ObjectSlot& object, std::string_view member,
                     const AutomationValue& value) override;
    ObjectSlot CallObjectMethod(const ObjectSlot& object, std::string_view member,
                                std::span<const AutomationValue> arguments) override;
    bool MakeDoubleArray(PointBuffer& buffer, int length) override;
    bool SetArrayElement(PointBuffer& buffer, double value, int index) override;

  private:
    std::shared_ptr<DxfDrawing> drawing_;
};

}  // namespace channel
