#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cad/Automation.h"

namespace channel {

// A test double that records every automation call, in order, as one line:
//   AttachRunning autocad.Application -> autocad.Application#1
//   GetObjectProperty autocad.Application#1.ActiveDocument -> ActiveDocument#1
//   SetProperty AddText#3.scalefactor = double:0.7
//   CallObjectMethod ModelSpace#1.AddText(text:"流量", array#3(209,22,0), int:6) -> AddText#4
//   MakeDoubleArray -> array#1[3]        SetArrayElement array#1[2] = 16
//   ReleaseObject addline#7              ReleaseVariant array#1
// Objects are named after the member (or ProgID) that produced them and
// numbered per name. Releases are recorded when a reference is let go, also
// after the recorder itself is gone. A failed call ends in " failed", an
// empty object shows as <empty>.
struct RecordingBehaviour {
    bool applicationRunning = true;  // AttachRunning finds an instance
    bool applicationStarts = true;   // CreateInstance starts one
    std::set<std::string> failingMembers;
};

// An AutoCAD that is not running but can be started.
inline RecordingBehaviour NoneRunning() {
    RecordingBehaviour behaviour;
    behaviour.applicationRunning = false;
    return behaviour;
}
// No AutoCAD at all: neither attached nor started.
inline RecordingBehaviour Unreachable() {
    RecordingBehaviour behaviour = NoneRunning();
    behaviour.applicationStarts = false;
    return behaviour;
}
inline RecordingBehaviour FailingMember(std::string member) {
    RecordingBehaviour behaviour;
    behaviour.failingMembers.insert(std::move(member));
    return behaviour;
}

class RecordingAutomation : public Automation {
  public:
    using Behaviour = RecordingBehaviour;

    explicit RecordingAutomation(Behaviour behaviour = {});

    const std::vector<std::string>& Calls() const { return *calls_; }
    void ClearCalls() { calls_->clear(); }

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
    ObjectSlot NewObject(std::string_view origin);
    bool Fails(std::string_view member) const;
    void Record(std::string line) { calls_->push_back(std::move(line)); }

    Behaviour behaviour_;
    std::shared_ptr<std::vector<std::string>> calls_;
    std::map<std::string, int, std::less<>> numbers_;
};

// How the recorder writes a number: the shortest text that reads back exactly.
std::string RecordedNumber(double value);

}  // namespace channel
