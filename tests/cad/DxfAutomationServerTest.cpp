#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "RecordingAutomation.h"
#include "cad/CadConnection.h"
#include "cad/DxfAutomationServer.h"

namespace channel {

namespace {

class DxfAutomationServerTest : public testing::Test {
  public:
    void SetUp() override {
        server_.CreateInstance(application_, "AutoCAD.Application");
        ASSERT_NE(application_, nullptr);
        document_ = server_.GetObjectProperty(application_, "ACTIVEDOCUMENT");
        modelSpace_ = server_.GetObjectProperty(document_, "modelspace");
        ASSERT_NE(modelSpace_, nullptr);
        server_.MakeDoubleArray(point_, 3);
    }

    ObjectSlot AddText() {
        const std::array<AutomationValue, 3> arguments{std::string("流量"), std::cref(point_), 6};
        return server_.CallObjectMethod(modelSpace_, "addtext", arguments);
    }

    std::shared_ptr<DxfDrawing> drawing_ = std::make_shared<DxfDrawing>();
    DxfAutomationServer server_{drawing_};
    ObjectSlot application_, document_, modelSpace_;
    PointBuffer point_;
};

TEST_F(DxfAutomationServerTest, NothingRunsBeforeItIsCreatedAndOnlyItsProgIdIsAnswered) {
    ObjectSlot slot;
    EXPECT_FALSE(server_.AttachRunning(slot, kCadProgId));
    EXPECT_EQ(slot, nullptr);
    server_.CreateInstance(slot, "Excel.Application");
    EXPECT_EQ(slot, nullptr);
}

// Each case is one call the server must refuse the way a failed Invoke does.
struct RefusedCall {
    const char* name;
    std::function<bool(DxfAutomationServerTest&)> succeeds;
};

void PrintTo(const RefusedCall& c, std::ostream* out) {
    *out << c.name;
}

class RefusedCallTest : public DxfAutomationServerTest,
                        public testing::WithParamInterface<RefusedCall> {};

TEST_P(RefusedCallTest, FailsWithoutSideEffects) {
    EXPECT_FALSE(GetParam().succeeds(*this));
    EXPECT_TRUE(drawing_->entities.empty());
    EXPECT_TRUE(drawing_->textStyle.bigFontFile.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Calls, RefusedCallTest,
    testing::Values(
        RefusedCall{"UnknownProperty",
                    [](auto& t) {
                        return t.server_.GetObjectProperty(t.application_, "Documents") != nullptr;
                    }},
        RefusedCall{"UnknownMethod",
                    [](auto& t) {
                        const std::array<AutomationValue, 1> point{std::cref(t.point_)};
                        return t.server_.CallObjectMethod(t.modelSpace_, "AddPoint", point) !=
                               nullptr;
                    }},
        RefusedCall{"VisibleAsNumber",
                    [](auto& t) { return t.server_.SetProperty(t.application_, "Visible", 1); }},
        RefusedCall{
            "LineFromAForeignBuffer",
            [](auto& t) {
                RecordingAutomation other;
                PointBuffer foreign;
                other.MakeDoubleArray(foreign, 3);
                const std::array<AutomationValue, 2> ends{std::cref(t.point_), std::cref(foreign)};
                return t.server_.CallObjectMethod(t.modelSpace_, "addline", ends) != nullptr;
            }},
        RefusedCall{
            "CallOnAnEmptySlot",
            [](auto& t) {
                const std::array<AutomationValue, 2> ends{std::cref(t.point_), std::cref(t.point_)};
                return t.server_.CallObjectMethod(ObjectSlot(), "addline", ends) != nullptr;
            }},
        RefusedCall{"ElementOutsideThePoint",
                    [](auto& t) { return t.server_.SetArrayElement(t.point_, 1.0, 4); }}),
    [](const testing::TestParamInfo<RefusedCall>& info) { return info.param.name; });

TEST_F(DxfAutomationServerTest, UnknownTextPropertiesAndAlignmentsAreRefused) {
    const ObjectSlot text = AddText();
    ASSERT_NE(text, nullptr);
    EXPECT_FALSE(server_.SetProperty(text, "Height", 9.0));
    EXPECT_FALSE(server_.SetProperty(text, "Alignment", 7));
    EXPECT_FALSE(server_.SetProperty(text, "scalefactor", std::string("0.7")));
    EXPECT_TRUE(server_.SetProperty(text, "SCALEFACTOR", 1));
    const auto& drawn = std::get<DxfText>(drawing_->entities.at(0));
    EXPECT_EQ(drawn.widthFactor, 1.0);
    EXPECT_EQ(drawn.height, 6.0);
    EXPECT_EQ(drawn.alignment, DxfTextAlignment::Left);
}

TEST_F(DxfAutomationServerTest, ObjectsKeepTheirDrawingAfterTheServerIsGone) {
    ObjectSlot text;
    {
        auto drawing = std::make_shared<DxfDrawing>();
        DxfAutomationServer server(drawing);
        ObjectSlot application;
        server.CreateInstance(application, kCadProgId);
        const ObjectSlot document = server.GetObjectProperty(application, "ActiveDocument");
        const ObjectSlot modelSpace = server.GetObjectProperty(document, "ModelSpace");
        const std::array<AutomationValue, 3> arguments{std::string("a"), std::cref(point_), 5};
        text = server.CallObjectMethod(modelSpace, "AddText", arguments);
    }
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(server_.SetProperty(text, "Alignment", 4));
    Automation::ReleaseObject(text);
    EXPECT_EQ(text, nullptr);
}

}  // namespace

}  // namespace channel
