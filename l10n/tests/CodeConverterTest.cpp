#include "CodeConverter.h"

#include <gtest/gtest.h>

#include "ComCtrls.h"
#include "Font.h"
#include "Forms.h"
#include "L10nFixture.h"
#include "ListView.h"
#include "Menus.h"
#include "ModalDriver.h"
#include "StdCtrls.h"
#include "TranslatorU.h"
#include "TreeView.h"
#include "TypInfo.h"
#include "VarArray.h"
#include "ZNForm.h"

namespace {

// A combo box of another class that has a TComboBoxStyle property.
class TOtherCombo : public TCustomComboBox {
  KESR_CLASS(TOtherCombo, TCustomComboBox)
public:
  using TCustomComboBox::TCustomComboBox;
};

const TClass& TOtherCombo::StaticClass() {
  static const TClass Class = TClassBuilder<TOtherCombo>("TOtherCombo").Build();
  return Class;
}

// A form with one component of each kind the conversion visits.
class TConvertedForm : public TZNForm {
public:
  explicit TConvertedForm(TComponent* AOwner) : TZNForm(AOwner) {
    SetCaption("销售订单");
    SetHint("打印预览");
    Label = Make<TLabel>("lblDate");
    Label->SetCaption("日期");
    Label->SetHint("开始日期");
    Combo = Make<TComboBox>("cboKind");
    Combo->Items()->SetText("全部\r\n审核\r\n");
    Combo->SetItemIndex(1);
    Other = Make<TOtherCombo>("cboOther");
    Other->Items()->SetText("单据\r\n");
    List = Make<TListBox>("lstItems");
    View = Make<TListView>("lvOrders");
    View->Columns()->Add()->SetCaption("订单");
    View->Columns()->Add()->SetCaption("客户");
    Status = Make<TStatusBar>("sbInfo");
    Status->Panels()->Add()->SetText("就绪");
    Tree = Make<TTreeView>("tvGroups");
    Tree->Items()->Add(nullptr, "分组");
    Popup = new TPopupMenu(this);
    Popup->SetName("pmList");
  }
  template <class T>
  T* Make(const char* Name) {
    auto* c = new T(this);
    c->SetName(Name);
    c->SetParent(this);
    return c;
  }
  TLabel* Label;
  TComboBox* Combo;
  TOtherCombo* Other;
  TListBox* List;
  TListView* View;
  TStatusBar* Status;
  TTreeView* Tree;
  TPopupMenu* Popup;
};

class CodeConverterTest : public TL10nFixture {};

TEST_F(CodeConverterTest, ModeZeroLoadsNoLibraryAndChangesNothing) {
  Install("936");
  TCodeConverter converter(nullptr);
  EXPECT_EQ(converter.UIConvertMode(), 0);
  EXPECT_EQ(converter.DBConvertMode(), 0);
  EXPECT_EQ(converter.Translator(), nullptr);
  EXPECT_EQ(converter.TextToScreen("汉字").AsString(), "汉字");
  EXPECT_EQ(converter.DBToScreen("汉字").AsString(), "汉字");
  EXPECT_EQ(converter.ConvertByMode(2, "汉字").AsString(), "汉字");

  auto* form = CreateForm<TConvertedForm>(nullptr);
  form->ConvertFormOnce();
  EXPECT_EQ(form->Label->Caption(), "日期");
  EXPECT_EQ(form->Combo->Style(), csDropDown);
  form->Free();
}

TEST_F(CodeConverterTest, CodePagesAndModesComeFromTheConfiguration) {
  const struct {
    const char *UI, *DB, *Sys;
    int UIMode, DBMode;
  } cases[] = {
      {"950", "936", "936", 2, 2},
      {"936", "950", "950", 4, 1},
      {"936", "936", "936", 0, 0},
  };
  for (const auto& c : cases) {
    Install(c.UI, c.DB, c.Sys);
    TCodeConverter converter(nullptr);
    EXPECT_EQ(converter.UICodePage(), c.UI);
    EXPECT_EQ(converter.DBCodePage(), c.DB);
    EXPECT_EQ(converter.SysCodePage(), c.Sys);
    EXPECT_EQ(converter.UIConvertMode(), c.UIMode) << c.UI << c.DB << c.Sys;
    EXPECT_EQ(converter.DBConvertMode(), c.DBMode) << c.UI << c.DB << c.Sys;
    EXPECT_EQ(converter.Translator() != nullptr, c.UIMode != 0);
  }
}

TEST_F(CodeConverterTest, ModeTwoConvertsTheFormsTextsToTraditionalOnce) {
  Install("950");
  auto* form = CreateForm<TConvertedForm>(nullptr);
  form->ConvertFormOnce();
  form->ConvertFormOnce();  // a second conversion changes nothing more
  EXPECT_TRUE(form->Converted());
  // The caption is converted only on a Big5 Windows.
  EXPECT_EQ(form->Caption(), "销售订单");
  EXPECT_EQ(form->Hint(), "打印預覽");
  EXPECT_EQ(form->Label->Caption(), "日期");
  EXPECT_EQ(form->Label->Hint(), "開始日期");
  EXPECT_EQ(form->Label->Font()->Name(), "SimSun");
  EXPECT_EQ(form->Label->Font()->Charset(), CHINESEBIG5_CHARSET);
  EXPECT_EQ(form->Combo->Items()->Text(), "全部\r\n審核\r\n");
  EXPECT_EQ(form->Combo->ItemIndex(), 1);
  // csDropDown -> csOwnerDrawVariable by the Style rule, then
  // csOwnerDrawFixed by the combo-box rule; another class keeps the first.
  EXPECT_EQ(form->Combo->Style(), csOwnerDrawFixed);
  EXPECT_EQ(form->Other->Style(), csOwnerDrawVariable);
  EXPECT_EQ(form->Other->Items()->Text(), "單據\r\n");
  EXPECT_EQ(form->List->Style(), lbOwnerDrawFixed);
  // A list view without items still gets its columns converted.
  EXPECT_EQ(form->View->Columns()->Items(0)->Caption(), "訂單");
  EXPECT_EQ(form->View->Columns()->Items(1)->Caption(), "客戶");
  EXPECT_EQ(form->Status->Panels()->Items(0)->Text(), "就緒");
  EXPECT_EQ(form->Tree->Items()->Item(0)->Text(), "分組");
  EXPECT_TRUE(form->Popup->OwnerDraw());
  EXPECT_EQ(Screen->HintFont()->Charset(), CHINESEBIG5_CHARSET);
  form->Free();
}

TEST_F(CodeConverterTest, ListViewItemsConvertSubItemsUpToTheColumns) {
  Install("950");
  auto* form = CreateForm<TConvertedForm>(nullptr);
  TListItem* item = form->View->Items()->Add();
  item->SetCaption("订单");
  item->SubItems()->SetText("客户\r\n仓库\r\n");
  auto* combo = form->Make<TComboBox>("cboEmpty");
  combo->Items()->SetText("一\r\n二\r\n");
  form->ConvertFormOnce();
  EXPECT_EQ(item->Caption(), "訂單");
  EXPECT_EQ(item->SubItems()->Text(), "客戶\r\n仓库\r\n");
  // A combo box with items and none selected selects the first.
  EXPECT_EQ(combo->ItemIndex(), 0);
  form->Free();
}

TEST_F(CodeConverterTest, ModeFourChangesFontsMenusAndTheCaptionOnly) {
  Install("936", "936", "950");
  auto* form = CreateForm<TConvertedForm>(nullptr);
  ASSERT_EQ(form->GetUIConvertMode(), 4);
  form->ConvertFormOnce();
  EXPECT_EQ(form->Caption(), "銷售訂單");
  EXPECT_EQ(form->Label->Hint(), "开始日期");
  EXPECT_EQ(form->Label->Font()->Name(), "SimSun");
  EXPECT_EQ(form->Label->Font()->Charset(), GB2312_CHARSET);
  EXPECT_EQ(form->Combo->Style(), csOwnerDrawVariable);
  EXPECT_TRUE(form->Popup->OwnerDraw());
  form->Free();
}

TEST_F(CodeConverterTest, ArraysConvertCellByCellAndScalarsBecomeTexts) {
  Install("950");
  TCodeConverter converter(nullptr);
  Variant grid = VarArrayCreate({0, 1, 0, 0}, varVariant);
  grid(0, 0) = "审核";
  grid(1, 0) = 42;
  const Variant result = converter.ConvertByMode(2, grid);
  ASSERT_EQ(VarArrayDimCount(result), 2);
  EXPECT_EQ(result(0, 0).AsString(), "審核");
  EXPECT_TRUE(result(1, 0).IsString());
  EXPECT_EQ(result(1, 0).AsString(), "42");
  EXPECT_EQ(grid(0, 0).AsString(), "审核");  // the input is left as it was

  const Variant nested = converter.ConvertByMode(2, VarArrayOf({"单", VarArrayOf({"仓"})}));
  EXPECT_EQ(nested[0].AsString(), "單");
  EXPECT_EQ(nested[1][0].AsString(), "倉");
  EXPECT_EQ(converter.ConvertByMode(1, "審核").AsString(), "审核");
  EXPECT_EQ(converter.ConvertByMode(3, "审核").AsString(), "审核");
  EXPECT_TRUE(converter.ConvertByMode(2, Null()).IsNull());
  const Variant cube = VarArrayCreate({0, 0, 0, 0, 0, 0}, varVariant);
  EXPECT_EQ(VarArrayDimCount(converter.ConvertByMode(2, cube)), 3);
}

TEST_F(CodeConverterTest, ScreenToDBAndScreenToTextUndoTheModes) {
  Install("936", "950", "950");  // UI mode 4, DB mode 1
  TCodeConverter converter(nullptr);
  EXPECT_EQ(converter.ScreenToDB("审核").AsString(), "審核");
  EXPECT_EQ(converter.DBToScreen("審核").AsString(), "审核");
  EXPECT_EQ(converter.ScreenToText("审核").AsString(), "审核");
  EXPECT_EQ(converter.GBToBig5(""), "");
  EXPECT_EQ(converter.Big5ToGB("審核"), "审核");
}

TEST_F(CodeConverterTest, SetConvertFontFollowsTheModeTable) {
  const struct {
    std::uint8_t Mode;
    TFontCharset Charset;
  } cases[] = {{0, 134}, {1, 134}, {2, 136}, {3, 136}, {4, 134}};
  for (const auto& c : cases) {
    TFont font;
    font.SetName("Arial");
    TCodeConverter::SetConvertFont(c.Mode, &font);
    EXPECT_EQ(font.Name(), "SimSun");
    EXPECT_EQ(font.Charset(), c.Charset) << int(c.Mode);
  }
}

TEST_F(CodeConverterTest, ShowMessageDlgAppendsBlanksUnderGBAndShowsNothingForEmptyText) {
  const struct {
    const char *UI, *Sys;
    bool Blanks;
  } cases[] = {{"950", "936", true}, {"936", "936", true}, {"950", "950", false}};
  for (const auto& c : cases) {
    Install(c.UI, "936", c.Sys);
    auto* form = CreateForm<TZNForm>(nullptr);
    form->SetCaption("销售");
    TScriptedModalDriver driver;
    driver.Choose(mrOk);
    TModalDriverScope scope(driver);
    EXPECT_EQ(form->ShowMessageDlg("", mtInformation, {mbOK}), 0);
    EXPECT_EQ(form->ShowMessageDlg("完成", mtInformation, {mbOK}), mrOk);
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0], std::string("销售: 完成") + (c.Blanks ? "      " : "")) << c.UI << c.Sys;
    form->Free();
  }
}

TEST_F(CodeConverterTest, TranslatorFailsWithTheLibraryMessages) {
  const struct {
    const char* Library;
    const char* Message;
    int HelpContext;
  } cases[] = {
      {"NoSuchLibrary.dll", "Load Library NoSuchLibrary.dll Error!", 0},
      {"ZnlanguageHalf.dll", "Get Library Procedure Address Error!", -1},
  };
  for (const auto& c : cases) {
    try {
      TTranslator translator(c.Library);
      ADD_FAILURE() << c.Library;
    } catch (const ETranslatorError& e) {
      EXPECT_EQ(e.Message(), c.Message);
      EXPECT_EQ(e.HelpContext(), c.HelpContext);
    }
  }
}

}  // namespace

namespace {

TEST_F(CodeConverterTest, CharactersTheCodePagesLackAreKeptNotLost) {
  TTranslator translator;
  // 😀 is in neither code page; 𠀀 neither; "?" stays a question mark.
  EXPECT_EQ(translator.GBToBig5Text("汉字😀?"), "漢字😀?");
  EXPECT_EQ(translator.Big5ToGBText("漢字𠀀"), "汉字𠀀");
  EXPECT_EQ(translator.GBToBig5Text("€"), "€");
}

// A class of a later unit with texts of its own.
class TPanelWithWords : public TComponent {
  KESR_CLASS(TPanelWithWords, TComponent)
public:
  using TComponent::TComponent;
  std::string Words = "开始";
};

const TClass& TPanelWithWords::StaticClass() {
  static const TClass Class = TClassBuilder<TPanelWithWords>("TPanelWithWords").Build();
  return Class;
}

TEST_F(CodeConverterTest, LaterClassesAddTheirKindSpecificTexts) {
  TCodeConverter::RegisterKindConverter(TPanelWithWords::StaticClass(), [](TComponent& C, const TCodeConverter& Converter) {
    auto& panel = static_cast<TPanelWithWords&>(C);
    panel.Words = Converter.GBToBig5(panel.Words);
  });
  Install("950");
  auto* form = CreateForm<TZNForm>(nullptr);
  auto* panel = new TPanelWithWords(form);
  form->ConvertFormOnce();
  EXPECT_EQ(panel->Words, "開始");
  form->Free();
}

}  // namespace
