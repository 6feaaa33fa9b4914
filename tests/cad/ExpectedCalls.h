#pragma once

#include <string>
#include <vector>

namespace channel {

// The calls the CAD connection should make, written the way RecordingAutomation
// records them. Object and array numbers continue across exports as the
// recorder's do, and a replaced reference is released right after its
// successor has been obtained.
class ExpectedCalls {
  public:
    // Attach (or, when nothing runs, attach then create), make visible, active
    // drawing, model space, the two line buffers.
    void Open(bool applicationRunning = true);
    void Line(double x1, double y1, double x2, double y2);
    // Active text style, its big font, the text point buffer.
    void TextStyle();
    void Text(const std::string& text, double x, double y, int height);
    // The exit-time release order.
    void ReleaseAtExit();

    const std::vector<std::string>& Calls() const { return calls_; }

  private:
    std::string Next(const std::string& origin);
    void Replace(std::string& slot, const std::string& fresh);
    void MakeArray(std::string& buffer);
    void SetPoint(const std::string& buffer, double x, double y);
    void Release(const char* operation, const std::string& name);

    std::vector<std::string> calls_;
    int applications_ = 0, documents_ = 0, modelSpaces_ = 0, textStyles_ = 0;
    int lines_ = 0, texts_ = 0, arrays_ = 0;
    std::string application_, document_, modelSpace_, textStyle_, lastText_;
    std::string lineStart_, lineEnd_, textPoint_;
};

}  // namespace channel
