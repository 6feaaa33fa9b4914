#include "ExpectedCalls.h"

#include "RecordingAutomation.h"

namespace channel {

namespace {

std::string Numbered(const std::string& origin, int number) {
    return origin + "#" + std::to_string(number);
}

std::string Point(const std::string& buffer, double x, double y) {
    return buffer + "(" + RecordedNumber(x) + "," + RecordedNumber(y) + ",0)";
}

}  // namespace

void ExpectedCalls::Release(const char* operation, const std::string& name) {
    if (!name.empty()) calls_.push_back(std::string(operation) + " " + name);
}

void ExpectedCalls::Replace(std::string& slot, const std::string& fresh) {
    Release("ReleaseObject", slot);
    slot = fresh;
}

void ExpectedCalls::MakeArray(std::string& buffer) {
    const std::string fresh = Numbered("array", ++arrays_);
    calls_.push_back("MakeDoubleArray -> " + fresh + "[3]");
    Release("ReleaseVariant", buffer);
    buffer = fresh;
}

void ExpectedCalls::SetPoint(const std::string& buffer, double x, double y) {
    calls_.push_back("SetArrayElement " + buffer + "[1] = " + RecordedNumber(x));
    calls_.push_back("SetArrayElement " + buffer + "[2] = " + RecordedNumber(y));
    calls_.push_back("SetArrayElement " + buffer + "[3] = 0");
}

void ExpectedCalls::Open(bool applicationRunning) {
    const std::string application = Numbered("autocad.Application", ++applications_);
    if (applicationRunning) {
        calls_.push_back("AttachRunning autocad.Application -> " + application);
    } else {
        calls_.emplace_back("AttachRunning autocad.Application -> none");
        calls_.push_back("CreateInstance autocad.Application -> " + application);
    }
    Replace(application_, application);
    calls_.push_back("SetProperty " + application_ + ".Visible = bool:true");

    const std::string document = Numbered("ActiveDocument", ++documents_);
    calls_.push_back("GetObjectProperty " + application_ + ".ActiveDocument -> " + document);
    Replace(document_, document);
    const std::string modelSpace = Numbered("ModelSpace", ++modelSpaces_);
    calls_.push_back("GetObjectProperty " + document_ + ".ModelSpace -> " + modelSpace);
    Replace(modelSpace_, modelSpace);
    MakeArray(lineStart_);
    MakeArray(lineEnd_);
}

void ExpectedCalls::Line(double x1, double y1, double x2, double y2) {
    SetPoint(lineStart_, x1, y1);
    SetPoint(lineEnd_, x2, y2);
    const std::string line = Numbered("addline", ++lines_);
    calls_.push_back("CallObjectMethod " + modelSpace_ + ".addline(" + Point(lineStart_, x1, y1) +
                     ", " + Point(lineEnd_, x2, y2) + ") -> " + line);
    calls_.push_back("ReleaseObject " + line);
}

void ExpectedCalls::TextStyle() {
    const std::string style = Numbered("ActiveTextStyle", ++textStyles_);
    calls_.push_back("GetObjectProperty " + document_ + ".ActiveTextStyle -> " + style);
    Replace(textStyle_, style);
    calls_.push_back("SetProperty " + textStyle_ + ".BigFontFile = text:\"hztxt.shx\"");
    MakeArray(textPoint_);
}

void ExpectedCalls::Text(const std::string& text, double x, double y, int height) {
    SetPoint(textPoint_, x, y);
    const std::string entity = Numbered("AddText", ++texts_);
    calls_.push_back("CallObjectMethod " + modelSpace_ + ".AddText(text:\"" + text + "\", " +
                     Point(textPoint_, x, y) + ", int:" + std::to_string(height) + ") -> " +
                     entity);
    Replace(lastText_, entity);
    calls_.push_back("SetProperty " + lastText_ + ".scalefactor = double:0.7");
    calls_.push_back("SetProperty " + lastText_ + ".Alignment = int:4");
    calls_.push_back("SetProperty " + lastText_ +
                     ".TextAlignmentPoint = " + Point(textPoint_, x, y));
}

void ExpectedCalls::ReleaseAtExit() {
    Release("ReleaseObject", application_);
    Release("ReleaseObject", document_);
    Release("ReleaseObject", modelSpace_);
    Release("ReleaseVariant", lineStart_);
    Release("ReleaseVariant", lineEnd_);
    Release("ReleaseObject", textStyle_);
    Release("ReleaseVariant", textPoint_);
    Release("ReleaseObject", lastText_);
    application_ = document_ = modelSpace_ = textStyle_ = lastText_ = "";
    lineStart_ = lineEnd_ = textPoint_ = "";
}

}  // namespace channel
