#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Forms.h"
#include "ListView.h"
#include "ModalDriver.h"
#include "TypInfo.h"

namespace {

std::vector<std::string> Captions(const TListView& view) {
  std::vector<std::string> out;
  for (int i = 0; i < view.Items()->Count(); ++i) out.push_back(view.Items()->Item(i)->Caption());
  return out;
}

class ListViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = CreateForm<TForm>(nullptr);
    View = new TListView(Form);
    View->SetParent(Form);
    View->SetViewStyle(vsReport);
    View->Columns()->Add()->SetCaption("No");
    View->Columns()->Add()->SetCaption("Name");
    View->Items()->BeginUpdate();
    for (const char* row : {"B2|beta", "A1|alpha", "C3|gamma"}) {
      std::string text = row;
      TListItem* item = View->Items()->Add();
      item->SetCaption(text.substr(0, 2));
      item->SubItems()->Add(text.substr(3));
    }
    View->Items()->EndUpdate();
  }
  void TearDown() override { Form->Free(); }
  TForm* Form = nullptr;
  TListView* View = nullptr;
};

TEST_F(ListViewTest, ItemsColumnsAndSubItems) {
  EXPECT_EQ(View->Columns()->Count(), 2);
  EXPECT_EQ(GetPropInfo(View, "Columns")->TypeName(), "TListColumns");
  EXPECT_EQ(View->Items()->Item(1)->SubItems()->Get(0), "alpha");
  EXPECT_THROW(View->Items()->Item(3), EListError);
  View->Items()->Item(0)->Delete();
  EXPECT_EQ(Captions(*View), (std::vector<std::string>{"A1", "C3"}));
  View->Items()->Clear();
  EXPECT_EQ(View->Items()->Count(), 0);
}

TEST_F(ListViewTest, SingleAndMultiSelection) {
  View->SetItemIndex(1);
  EXPECT_EQ(View->Selected(), View->Items()->Item(1));
  View->Items()->Item(2)->SetSelected(true);  // single selection moves
  EXPECT_EQ(View->SelCount(), 1);
  View->SetMultiSelect(true);
  View->Items()->Item(0)->SetSelected(true);
  EXPECT_EQ(View->SelCount(), 2);
  View->SelectAll();
  EXPECT_EQ(View->SelCount(), 3);
  View->SetMultiSelect(false);  // only the first stays
  EXPECT_EQ(View->SelCount(), 1);
  EXPECT_EQ(View->ItemIndex(), 0);
  // Deleting the focused item leaves no reference to it.
  View->SetItemFocused(View->Items()->Item(0));
  View->Items()->Delete(0);
  EXPECT_EQ(View->ItemFocused(), nullptr);
}

TEST_F(ListViewTest, CustomAndAutomaticSorting) {
  // By the second column, descending.
  View->CustomSort([](TListItem* a, TListItem* b, int descending) {
    int c = a->SubItems()->Get(0).compare(b->SubItems()->Get(0));
    return descending ? -c : c;
  }, 1);
  EXPECT_EQ(Captions(*View), (std::vector<std::string>{"C3", "B2", "A1"}));
  View->SetSortType(stText);
  EXPECT_EQ(Captions(*View), (std::vector<std::string>{"A1", "B2", "C3"}));
  View->Items()->Add()->SetCaption("A0");
  EXPECT_EQ(Captions(*View).front(), "A0");
}

TEST_F(ListViewTest, InPlaceCaptionEdit) {
  struct THandlers {
    bool Allow = true;
    void Editing(TObject*, TListItem*, bool& allow) { allow = Allow; }
    void Edited(TObject*, TListItem*, std::string& s) { s = Trim(s); }
    static std::string Trim(const std::string& s) {
      size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
      return a == std::string::npos ? "" : s.substr(a, b - a + 1);
    }
  } h;
  View->OnEditing = TLVEditingEvent(&h, &THandlers::Editing);
  View->OnEdited = TLVEditedEvent(&h, &THandlers::Edited);
  TListItem* item = View->Items()->Item(0);
  ASSERT_TRUE(item->EditCaption());
  View->EndEditing("  renamed ");
  EXPECT_EQ(item->Caption(), "renamed");  // as the handler left it
  ASSERT_TRUE(item->EditCaption());
  View->EndEditing("ignored", true);
  EXPECT_EQ(item->Caption(), "renamed");
  h.Allow = false;
  EXPECT_FALSE(item->EditCaption());
  View->SetReadOnly(true);
  h.Allow = true;
  EXPECT_FALSE(item->EditCaption());
}

TEST_F(ListViewTest, KeyboardMovesTheSelection) {
  Form->Show();
  View->SetFocus();
  View->SetItemIndex(0);
  SendKeyStroke(*View, VK_DOWN);
  SendKeyStroke(*View, VK_DOWN);
  SendKeyStroke(*View, VK_DOWN);  // stays on the last
  EXPECT_EQ(View->ItemIndex(), 2);
  SendKeyStroke(*View, VK_HOME);
  EXPECT_EQ(View->ItemIndex(), 0);
}

}  // namespace
