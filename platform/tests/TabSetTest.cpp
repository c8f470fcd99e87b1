#include <gtest/gtest.h>

#include <vector>

#include "FormTextReader.h"
#include "Forms.h"
#include "TabSet.h"

namespace {

class TabSetTest : public ::testing::Test {
public:
  void Change(TObject*, int NewTab, bool& AllowChange) {
    Asked.push_back(NewTab);
    AllowChange = NewTab != Refused;
  }

protected:
  void SetUp() override {
    Form = CreateForm<TForm>(nullptr);
    Tabs = new TTabSet(Form);
    Tabs->SetParent(Form);
    for (const char* name : {"订单", "明细", "汇总"}) Tabs->Tabs()->Add(name);
    Tabs->OnChange = TTabChangeEvent(this, &TabSetTest::Change);
  }
  void TearDown() override { Form->Free(); }
  TForm* Form = nullptr;
  TTabSet* Tabs = nullptr;
  std::vector<int> Asked;
  int Refused = -2;
};

TEST_F(TabSetTest, ChangesAskTheHandlerWhichMayRefuse) {
  Tabs->SetTabIndex(1);
  EXPECT_EQ(Tabs->TabIndex(), 1);
  Refused = 2;
  Tabs->SetTabIndex(2);
  EXPECT_EQ(Tabs->TabIndex(), 1);
  Tabs->SetTabIndex(1);  // no change, no question
  Tabs->SetTabIndex(7);  // past the tabs: ignored
  EXPECT_EQ(Asked, (std::vector<int>{1, 2}));
  Refused = -2;
  Tabs->SelectNext(true);
  Tabs->SelectNext(true);
  EXPECT_EQ(Tabs->TabIndex(), 0);
  Tabs->SelectNext(false);
  EXPECT_EQ(Tabs->TabIndex(), 2);
  Tabs->Tabs()->Delete(2);
  EXPECT_EQ(Tabs->TabIndex(), 1);
  Tabs->Tabs()->Clear();
  EXPECT_EQ(Tabs->TabIndex(), -1);
}

TEST_F(TabSetTest, ReadFromFormTextWithTheIndexBeforeTheTabs) {
  ReadFormText(Form, R"(object Form: TForm
  object ts: TTabSet
    TabIndex = 1
    Tabs.Strings = ('A' 'B')
  end
end)");
  auto* ts = Form->FindComponent<TTabSet>("ts");
  ASSERT_NE(ts, nullptr);
  EXPECT_EQ(ts->Tabs()->Count(), 2);
  EXPECT_EQ(ts->TabIndex(), 1);
}

}  // namespace
