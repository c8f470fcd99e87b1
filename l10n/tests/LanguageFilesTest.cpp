#include "LanguageController.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <pugixml.hpp>

#include "ComCtrls.h"
#include "CodePage.h"
#include "Colors.h"
#include "Forms.h"
#include "L10nFixture.h"
#include "LangCommon.h"
#include "ListView.h"
#include "StdCtrls.h"
#include "TreeView.h"
#include "ZNForm.h"
#include "ZntEdit.h"

namespace {

class LanguageFilesTest : public TL10nFixture {
protected:
  void SetUp() override {
    Install("936");
    Form = CreateForm<TForm>(nullptr);
    Form->SetName("frmTest");
    Controller = new TLanguageController(Form);
  }
  void TearDown() override { Form->Free(); }

  template <class T>
  T* Add(const char* name) {
    auto* c = new T(Form);
    c->SetName(name);
    c->SetParent(Form);
    return c;
  }
  // Opens Xml as the document and loads the form with it.
  void Load(const std::string& Xml) {
    TStringList text;
    text.SetText(Xml);
    Controller->SetXMLText(&text);
    Controller->SetActive(true);
    Controller->GetReader()->LoadComponent(Form);
  }

  TForm* Form = nullptr;
  TLanguageController* Controller = nullptr;
};

TEST_F(LanguageFilesTest, ElementsApplyTheirAttributesToTheComponentOfTheirName) {
  auto* label = Add<TLabel>("lblDate");
  Load(R"(<frmTest Caption="Sales orders"><Page><lblDate Caption="Date" Hint="From" Font.Name="Arial" Color="clRed" Font.Style="[fsBold]"/></Page></frmTest>)");
  EXPECT_EQ(Form->Caption(), "Sales orders");
  EXPECT_EQ(label->Caption(), "Date");
  EXPECT_EQ(label->Hint(), "From");
  EXPECT_EQ(label->Font()->Name(), "Arial");
  EXPECT_TRUE(label->Font()->Style().Contains(fsBold));
  EXPECT_EQ(label->Color(), clRed);
}

TEST_F(LanguageFilesTest, PathsThatDoNotResolveAreSkipped) {
  auto* label = Add<TLabel>("lblDate");
  label->SetCaption("日期");
  auto* view = Add<TListView>("lvOrders");
  view->Columns()->Add()->SetCaption("订单");
  Load(R"(<frmTest><lblDate Caption.Name="x" Nothing="1" Width="wide" Font.Nothing.Name="y" Hint="ok"/>)"
       R"(<lvOrders Columns_1.Caption="Customer" Columns_x.Caption="Bad" /></frmTest>)");
  EXPECT_EQ(label->Caption(), "日期");
  EXPECT_EQ(label->Hint(), "ok");
  ASSERT_EQ(view->Columns()->Count(), 1);
  EXPECT_EQ(view->Columns()->Items(0)->Caption(), "订单");
}

TEST_F(LanguageFilesTest, IndexedSegmentsReachColumnsItemsNodesAndPanels) {
  auto* view = Add<TListView>("lvOrders");
  view->Columns()->Add()->SetCaption("订单");
  view->Columns()->Add()->SetCaption("客户");
  view->Items()->Add()->SetCaption("一");
  auto* tree = Add<TTreeView>("tvGroups");
  TTreeNode* root = tree->Items()->Add(nullptr, "根");
  tree->Items()->AddChild(root, "子");
  auto* status = Add<TStatusBar>("sbInfo");
  status->Panels()->Add()->SetText("就绪");
  Load(R"(<frmTest><lvOrders Columns_1.Caption="Customer" Items_0.Caption="One"/>)"
       R"(<tvGroups Items_1.Text="Child"/><sbInfo Panels.Items_0.Text="Ready"/></frmTest>)");
  EXPECT_EQ(view->Columns()->Items(1)->Caption(), "Customer");
  EXPECT_EQ(view->Items()->Item(0)->Caption(), "One");
  EXPECT_EQ(tree->Items()->Item(1)->Text(), "Child");
  EXPECT_EQ(status->Panels()->Items(0)->Text(), "Ready");
}

TEST_F(LanguageFilesTest, ItemsLinesArePaddedAndTheComboKeepsItsSelection) {
  auto* combo = Add<TComboBox>("cboKind");
  combo->Items()->SetText("全部\r\n");
  combo->SetItemIndex(0);
  auto* memo = Add<TMemo>("mmNote");
  Load(R"(<frmTest><cboKind Items_2="Approved"/><mmNote Lines_1="second" Lines="ignored"/></frmTest>)");
  EXPECT_EQ(combo->Items()->Text(), "全部\r\n\r\nApproved\r\n");
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(memo->Lines()->Text(), "\r\nsecond\r\n");
}

TEST_F(LanguageFilesTest, AnExcludedComponentKeepsItsTextsButWhatItOwnsIsLoaded) {
  auto* edit = Add<TZnDBEdit>("edName");
  edit->SetHint("名称");
  TStringList exclude;
  exclude.Add(" EDNAME ");
  Controller->SetExcludeControls(&exclude);
  Load(R"(<frmTest><edName Hint="Name"/><EditLabel Caption="Customer"/></frmTest>)");
  EXPECT_EQ(edit->Hint(), "名称");
  EXPECT_EQ(edit->EditLabel()->Caption(), "Customer");
}

TEST_F(LanguageFilesTest, LoadEventsSurroundEachComponent) {
  Add<TLabel>("lblDate");
  struct TLog {
    std::vector<std::string> Lines;
    void Before(TComponent* C, const pugi::xml_node&) { Lines.push_back("before " + C->Name()); }
    void After(TComponent* C, const pugi::xml_node&) { Lines.push_back("after " + C->Name()); }
  } log;
  Controller->BeforeLoadComponent = TLoadComponentEvent(&log, &TLog::Before);
  Controller->AfterLoadComponent = TLoadComponentEvent(&log, &TLog::After);
  Load(R"(<Lang><lblDate Caption="Date"/></Lang>)");
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"before frmTest", "after frmTest", "before lblDate", "after lblDate"}));
}

TEST_F(LanguageFilesTest, OpeningFailsWithTheControllersError) {
  EXPECT_FALSE(Controller->Active());
  try {
    Controller->GetReader();
    ADD_FAILURE();
  } catch (const LanguageControllerError& e) {
    EXPECT_STREQ(e.what(), "No active LanguageController!");
  }
  try {
    Controller->SetActive(true);
    ADD_FAILURE();
  } catch (const LanguageControllerError& e) {
    EXPECT_STREQ(e.what(), "Cannot Find File !");
  }
  Controller->SetFileName(Folder.Write("Broken.Lng", "<frmTest><lblDate Caption=\"x\"></frmTest>"));
  try {
    Controller->SetActive(true);
    ADD_FAILURE();
  } catch (const LanguageControllerError& e) {
    EXPECT_STREQ(e.what(), "Start-end tags mismatch");
  }
  EXPECT_FALSE(Controller->Active());
}

TEST_F(LanguageFilesTest, ChangingTheSourceClosesTheController) {
  Load("<frmTest/>");
  EXPECT_TRUE(Controller->Active());
  Controller->SetFileName(Folder.Write("A.Lng", "<frmTest/>"));
  EXPECT_FALSE(Controller->Active());
  EXPECT_TRUE(Controller->XMLText()->Count() == 0);
  Controller->SetActive(true);
  TStringList text;
  text.SetText("<frmTest/>");
  Controller->SetXMLText(&text);
  EXPECT_FALSE(Controller->Active());
  EXPECT_EQ(Controller->FileName(), "");
}

TEST_F(LanguageFilesTest, FilesDeclaredInLegacyEncodingsAreConvertedBeforeParsing) {
  const struct {
    const char* Encoding;
    const char* CodePage;
  } cases[] = {{"GB2312", "936"}, {"gbk", "936"}, {"Big5", "950"}};
  for (const auto& c : cases) {
    const std::string xml = std::string("<?xml version=\"1.0\" encoding=\"") + c.Encoding +
                            "\"?><frmTest><sTitle Msg=\"销售单\"/></frmTest>";
    const std::string bytes = c.CodePage == std::string("950") ? Utf8ToLegacy("<?xml version=\"1.0\" encoding=\"Big5\"?><frmTest><sTitle Msg=\"銷售單\"/></frmTest>", "950")
                                                              : Utf8ToLegacy(xml, "936");
    WriteLang("CHS", "Legacy", bytes);
    EXPECT_EQ(GetLangText(dtClient, "Legacy", "sTitle", "none"),
              c.CodePage == std::string("950") ? "銷售單" : "销售单")
        << c.Encoding;
  }
}

TEST_F(LanguageFilesTest, GetLangTextFallsBackToTheDefault) {
  WriteLang("CHS", "TfrmBaseGene", R"(<TfrmBaseGene><sDeleteProj Msg="确定删除？"/><sNoMsg Other="x"/><sEmpty Msg=""/></TfrmBaseGene>)");
  const struct {
    const char* Package;
    const char* Ident;
    const char* Expected;
  } cases[] = {
      {"TfrmBaseGene", "sDeleteProj", "确定删除？"},
      {"TfrmBaseGene", "sNoMsg", "default"},
      {"TfrmBaseGene", "sMissing", "default"},
      {"TfrmBaseGene", "sEmpty", ""},
      {"TfrmBaseGene", "bad ident", "default"},
      {"TfrmNone", "sDeleteProj", "default"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetLangText(dtClient, c.Package, c.Ident, "default"), c.Expected) << c.Ident;
  WriteLang("CHS", "Broken", "<a><b></a>");
  EXPECT_EQ(GetLangText(dtClient, "Broken", "b", "default"), "default");
  WriteLang("CHS", "Fmt", R"(<Fmt><sCount Msg="共 %d 张"/></Fmt>)");
  EXPECT_EQ(GetLangTextFmt(dtClient, "Fmt", "sCount", {3}, "%d"), "共 3 张");
}

TEST_F(LanguageFilesTest, TheLanguageFolderFollowsTheUserInterfaceCodePage) {
  const struct {
    const char* CodePage;
    const char* Code;
  } cases[] = {{"936", "CHS"}, {"950", "CHT"}, {"437", "ENG"}, {"1252", nullptr}};
  for (const auto& c : cases) {
    Install(c.CodePage);
    if (c.Code) Folder.Write(std::string("MultiLanguage/") + c.Code + "/x", "");
    EXPECT_EQ(GetLangFolder(dtClient), c.Code ? Folder.Path() + "MultiLanguage/" + c.Code + "/" : "") << c.CodePage;
  }
  // A folder that does not exist gives "" as well.
  std::filesystem::remove_all(Folder.Path() + "MultiLanguage/ENG");
  Install("437");
  EXPECT_EQ(GetLangFolder(dtClient), "");
}

}  // namespace

namespace {

// The element names and message texts of a shipped language file.
std::vector<std::pair<std::string, std::string>> Elements(const std::string& fileName) {
  pugi::xml_document document;
  std::string reason;
  EXPECT_TRUE(LoadLangDocument(document, fileName, reason)) << fileName << ": " << reason;
  std::vector<std::pair<std::string, std::string>> elements;
  for (const pugi::xpath_node& node : document.select_nodes("//*[@*]"))
    elements.emplace_back(node.node().name(), node.node().attribute("Msg").value());
  return elements;
}

TEST(ShippedLanguageFilesTest, EveryLanguageHasTheSameTextsAndMessages) {
  const std::string folder = std::string(KESR_SOURCE_DIR) + "/data/config/MultiLanguage/";
  const auto chs = Elements(folder + "CHS/TfrmBaseGene.Lng");
  for (const char* code : {"CHT", "ENG"}) {
    const auto other = Elements(folder + code + "/TfrmBaseGene.Lng");
    ASSERT_EQ(other.size(), chs.size()) << code;
    for (std::size_t i = 0; i < chs.size(); ++i) {
      EXPECT_EQ(other[i].first, chs[i].first) << code;
      EXPECT_EQ(other[i].second.empty(), chs[i].second.empty()) << code << " " << chs[i].first;
    }
    Elements(folder + code + "/TZNForm.Lng");
  }
  EXPECT_NE(std::find(chs.begin(), chs.end(), std::make_pair(std::string("sDeleteProj"), std::string("确实要删除此方案吗？"))),
            chs.end());
}

}  // namespace
