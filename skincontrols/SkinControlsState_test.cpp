// What the skinned controls tell the window tree of the UI scripting.

#include <gtest/gtest.h>

#include "framework/scripting/WindowTree.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinCheckRadioBox.h"
#include "skincontrols/TskSkinGauge.h"
#include "skincontrols/TskSkinPanel.h"
#include "skincontrols/tests/SkinControlTestSupport.h"

namespace tsm {
namespace {

using SkinControlsStateTest = SkinControlTest;

const TJsonValue& Field(const TJsonValue& node, std::string_view key) {
  static const TJsonValue none;
  const TJsonValue* v = node.Find(key);
  return v ? *v : none;
}

TEST_F(SkinControlsStateTest, ButtonCheckBoxGaugeAndPanelDescribeTheirState) {
  TskSkinData* skin = StoredSkin();
  auto* button = new TskSkinButton(Form());
  button->SetParent(Form());
  button->SetSkinData(skin);
  button->SetGroupIndex(3);
  button->SetDown(true);
  button->SetDefault(true);
  TJsonValue node = DescribeControl(button);
  EXPECT_EQ(Field(node, "className").AsString(), "TskSkinButton");
  EXPECT_TRUE(Field(node, "down").AsBool());
  EXPECT_TRUE(Field(node, "default").AsBool());
  EXPECT_FALSE(Field(node, "cancel").AsBool(true));
  EXPECT_EQ(Field(node, "groupIndex").AsInt(), 3);
  EXPECT_EQ(Field(node, "skinDataName").AsString(), "button");
  EXPECT_TRUE(Field(node, "skinned").AsBool());

  auto* box = new TskSkinCheckRadioBox(Form());
  box->SetParent(Form());
  box->SetCaption("转换范围");
  box->SetChecked(true);
  node = DescribeControl(box);
  EXPECT_TRUE(Field(node, "checked").AsBool());
  EXPECT_EQ(Field(node, "state").AsString(), "checked");
  EXPECT_FALSE(Field(node, "skinned").AsBool(true));

  auto* gauge = new TskSkinGauge(Form());
  gauge->SetParent(Form());
  gauge->SetProgressText("进度...");
  gauge->SetShowProgressText(true);
  gauge->SetShowPercent(true);
  gauge->SetValue(45);
  node = DescribeControl(gauge);
  EXPECT_EQ(Field(node, "text").AsString(), "进度...45%");
  EXPECT_EQ(Field(node, "position").AsInt(), 45);
  EXPECT_EQ(Field(node, "max").AsInt(), 100);

  auto* panel = new TskSkinPanel(Form());
  panel->SetParent(Form());
  EXPECT_EQ(DescribeControl(panel).Find("rolledUp"), nullptr);
  panel->SetRollUpMode(true);
  panel->SetRollUpState(true);
  EXPECT_TRUE(Field(DescribeControl(panel), "rolledUp").AsBool());
}

}  // namespace
}  // namespace tsm
