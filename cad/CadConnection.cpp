#include "cad/CadConnection.h"

#include <array>
#include <utility>

#include "cad/Drawing.h"

namespace channel {

namespace {

constexpr int kPointLength = 3;
// AutoCAD's acAlignmentMiddle: centred horizontally and vertically on the
// alignment point.
constexpr int kMiddleAlignment = 4;

}  // namespace

void ReleaseCadConnection(CadConnection& connection) {
    Automation::ReleaseObject(connection.cadApplication);
    Automation::ReleaseObject(connection.cadDocument);
    Automation::ReleaseObject(connection.cadModelSpace);
    Automation::ReleaseVariant(connection.lineStart);
    Automation::ReleaseVariant(connection.lineEnd);
    Automation::ReleaseObject(connection.cadTextStyle);
    Automation::ReleaseVariant(connection.textPoint);
    Automation::ReleaseObject(connection.cadLastText);
}

void CadSession::Replace(ObjectSlot& slot, ObjectSlot fresh) {
    Automation::ReleaseObject(slot);
    slot = std::move(fresh);
}

bool CadSession::OpenCadConnection() {
    ObjectSlot application;
    if (!automation_.AttachRunning(application, kCadProgId)) {
        automation_.CreateInstance(application, kCadProgId);
    }
    Replace(connection_.cadApplication, std::move(application));
    if (!connection_.cadApplication) {
        allCallsSucceeded_ = false;
        return false;
    }

    Note(automation_.SetProperty(connection_.cadApplication, "Visible", true));
    Replace(connection_.cadDocument,
            automation_.GetObjectProperty(connection_.cadApplication, "ActiveDocument"));
    Note(connection_.cadDocument != nullptr);
    Replace(connection_.cadModelSpace,
            automation_.GetObjectProperty(connection_.cadDocument, "ModelSpace"));
    Note(connection_.cadModelSpace != nullptr);
    Note(automation_.MakeDoubleArray(connection_.lineStart, kPointLength));
    Note(automation_.MakeDoubleArray(connection_.lineEnd, kPointLength));
    return true;
}

void CadSession::SetPoint(PointBuffer& buffer, double x, double y) {
    Note(automation_.SetArrayElement(buffer, x, 1));
    Note(automation_.SetArrayElement(buffer, y, 2));
    Note(automation_.SetArrayElement(buffer, 0.0, 3));
}

void CadSession::DrawLine(double x1, double y1, double x2, double y2) {
    SetPoint(connection_.lineStart, x1, y1);
    SetPoint(connection_.lineEnd, x2, y2);
    const std::array<AutomationValue, 2> ends{std::cref(connection_.lineStart),
                                              std::cref(connection_.lineEnd)};
    // The line entity is not needed afterwards; only the last text is kept.
    ObjectSlot line = automation_.CallObjectMethod(connection_.cadModelSpace, "addline", ends);
    Note(line != nullptr);
    Automation::ReleaseObject(line);
}

void CadSession::PrepareTextStyle() {
    Replace(connection_.cadTextStyle,
            automation_.GetObjectProperty(connection_.cadDocument, "ActiveTextStyle"));
    Note(connection_.cadTextStyle != nullptr);
    Note(automation_.SetProperty(connection_.cadTextStyle, "BigFontFile",
                                 std::string(kChineseBigFont)));
    Note(automation_.MakeDoubleArray(connection_.textPoint, kPointLength));
}

void CadSession::PlaceText(const std::string& utf8Text, double x, double y, int height) {
    SetPoint(connection_.textPoint, x, y);
    const std::array<AutomationValue, 3> arguments{utf8Text, std::cref(connection_.textPoint),
                                                   height};
    Replace(connection_.cadLastText,
            automation_.CallObjectMethod(connection_.cadModelSpace, "AddText", arguments));
    Note(connection_.cadLastText != nullptr);
    Note(automation_.SetProperty(connection_.cadLastText, "scalefactor", kTextWidthFactor));
    Note(automation_.SetProperty(connection_.cadLastText, "Alignment", kMiddleAlignment));
    Note(automation_.SetProperty(connection_.cadLastText, "TextAlignmentPoint",
                                 std::cref(connection_.textPoint)));
}

}  // namespace channel
