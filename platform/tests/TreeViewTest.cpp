#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormTextReader.h"
#include "Forms.h"
#include "TreeView.h"

namespace {

class TreeViewTest : public ::testing::Test {
public:
  void Changed(TObject*, TTreeNode* Node) { Log.push_back(Node ? Node->Text() : "-"); }

protected:
  void SetUp() override {
    Form = CreateForm<TForm>(nullptr);
    Tree = new TTreeView(Form);
    Tree->SetParent(Form);
    Tree->OnChange = TTVChangedEvent(this, &TreeViewTest::Changed);
  }
  void TearDown() override { Form->Free(); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (int i = 0; i < Tree->Items()->Count(); ++i) out.push_back(Tree->Items()->Item(i)->Text());
    return out;
  }
  TForm* Form = nullptr;
  TTreeView* Tree = nullptr;
  std::vector<std::string> Log;
};

TEST_F(TreeViewTest, NodesAddInDepthFirstOrderAndDeleteWithTheirChildren) {
  TTreeNodes* items = Tree->Items();
  TTreeNode* a = items->Add(nullptr, "A");
  TTreeNode* b = items->Add(a, "B");
  TTreeNode* a1 = items->AddChild(a, "A1");
  items->AddChild(a1, "A1x");
  items->Add(a1, "A2");
  int tag = 0;
  a1->SetData(&tag);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"A", "A1", "A1x", "A2", "B"}));
  EXPECT_EQ(a1->Parent(), a);
  EXPECT_EQ(a1->Level(), 1);
  EXPECT_EQ(a->Item(1)->Index(), 1);
  EXPECT_EQ(b->Index(), 1);
  EXPECT_EQ(a1->Data(), &tag);
  EXPECT_THROW(a->Item(2), EListError);
  a1->Delete();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"A", "A2", "B"}));
  items->Clear();
  EXPECT_EQ(items->Count(), 0);
  EXPECT_EQ(items->GetFirstNode(), nullptr);
}

TEST_F(TreeViewTest, SelectionFollowsRemovalAndRaisesOnChange) {
  TTreeNode* a = Tree->Items()->Add(nullptr, "A");
  TTreeNode* deep = Tree->Items()->AddChild(Tree->Items()->AddChild(a, "A1"), "A1x");
  Tree->SetSelected(deep);
  EXPECT_TRUE(deep->Selected());
  Tree->SetSelected(deep);  // no change, no event
  a->Item(0)->Delete();     // the selected node goes with its parent
  EXPECT_EQ(Tree->Selected(), nullptr);
  TTreeView other(Form);
  TTreeNode* foreign = other.Items()->Add(nullptr, "X");
  Tree->SetSelected(foreign);
  EXPECT_EQ(Tree->Selected(), nullptr);
  EXPECT_THROW(Tree->Items()->AddChild(foreign, "Y"), EListError);
  EXPECT_EQ(Log, (std::vector<std::string>{"A1x", "-"}));
}

TEST_F(TreeViewTest, ReadFromFormText) {
  ReadFormText(Form, R"(object Form: TForm
  object tv: TTreeView
    ReadOnly = True
  end
end)");
  auto* tv = Form->FindComponent<TTreeView>("tv");
  ASSERT_NE(tv, nullptr);
  EXPECT_TRUE(tv->ReadOnly());
  EXPECT_TRUE(tv->TabStop());
}

}  // namespace
