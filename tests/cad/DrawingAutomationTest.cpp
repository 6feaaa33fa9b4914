#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingAutomation.h"
#include "cad/DrawingAutomation.h"

namespace channel {

namespace {

// A solid line is one addline from its start to its end; a dashed one its
// dashes, the last cut at the line's end; a text is AddText at its point with
// its height, narrowed and centred on that point.
TEST(RenderThroughAutomationTest, MapsLinesDashesAndTextsToTheirCalls) {
    Drawing drawing;
    drawing.lines = {{{1, 2}, {3, 4}, LineStyle::Solid, "断面"},
                     {{0, 10}, {9, 10}, LineStyle::Dashed, "正常水深"}};
    drawing.texts = {{"流量", {5, 6}, TextAnchor::Middle, 5, "文字"}};
    RecordingAutomation recorder;
    CadConnection connection;

    EXPECT_EQ(RenderThroughAutomation(connection, recorder, drawing), DrawingOutcome::Drawn);

    std::vector<std::string> drawn;
    for (const std::string& call : recorder.Calls()) {
        if (call.starts_with("CallObjectMethod") || call.starts_with("SetProperty AddText"))
            drawn.push_back(call);
    }
    const std::string modelSpace = "CallObjectMethod ModelSpace#1.";
    EXPECT_EQ(drawn, (std::vector<std::string>{
                         modelSpace + "addline(array#1(1,2,0), array#2(3,4,0)) -> addline#1",
                         modelSpace + "addline(array#1(0,10,0), array#2(4,10,0)) -> addline#2",
                         modelSpace + "addline(array#1(6,10,0), array#2(9,10,0)) -> addline#3",
                         modelSpace + "AddText(text:\"流量\", array#3(5,6,0), int:5) -> AddText#1",
                         "SetProperty AddText#1.scalefactor = double:0.7",
                         "SetProperty AddText#1.Alignment = int:4",
                         "SetProperty AddText#1.TextAlignmentPoint = array#3(5,6,0)"}));
    ReleaseCadConnection(connection);
}

}  // namespace

}  // namespace channel
