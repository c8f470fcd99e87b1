#include <gtest/gtest.h>

#include "FormLayouts.h"
#include "FormTextParser.h"
#include "FormTextReader.h"
#include "FormTextWriter.h"
#include "TestComponents.h"

namespace {

TFormValue ValueOf(const std::string& value) {
  TFormNode node = ParseFormText("object a: TX\n  P = " + value + "\nend\n");
  EXPECT_EQ(node.Properties.size(), 1u) << value;
  return node.Properties.empty() ? TFormValue{} : node.Properties[0].Value;
}

TFormValue Collection(std::vector<std::vector<TFormProperty>> items) {
  TFormValue v;
  v.Kind = TFormValueKind::Collection;
  for (auto& props : items) v.CollectionItems.push_back({std::move(props), 0});
  return v;
}

TEST(FormTextParserTest, ValuesOfEveryKind) {
  struct TCase {
    const char* Text;
    TFormValue Expected;
  } cases[] = {
      {"12", TFormValue::OfInteger(12)},
      {"-5", TFormValue::OfInteger(-5)},
      {"$FF", TFormValue::OfInteger(255)},
      {"$80000005", TFormValue::OfInteger(0x80000005)},
      {"1.5", TFormValue::OfFloat(1.5)},
      {"-2.5E2", TFormValue::OfFloat(-250)},
      {"'abc'", TFormValue::OfString("abc")},
      {"''", TFormValue::OfString("")},
      {"'it''s'", TFormValue::OfString("it's")},
      {"'abc'#13#10'def'", TFormValue::OfString("abc\r\ndef")},
      {"#21046#34920#26085#26399", TFormValue::OfString("制表日期")},
      {"'[F2]'#26085#26399'x'", TFormValue::OfString("[F2]日期x")},
      {"#55357#56832", TFormValue::OfString("\xF0\x9F\x98\x80")},
      {"'a' +\n    'b' + #98", TFormValue::OfString("abb")},
      {"'宋体'", TFormValue::OfString("宋体")},
      {"clBtnFace", TFormValue::OfIdent("clBtnFace")},
      {"True", TFormValue::OfIdent("True")},
      {"Form1.ImageList1", TFormValue::OfIdent("Form1.ImageList1")},
      {"[fsBold, fsItalic]", TFormValue::OfSet({"fsBold", "fsItalic"})},
      {"[]", TFormValue::OfSet({})},
      {"(\n  'a'\n  'b')", TFormValue::OfList({TFormValue::OfString("a"), TFormValue::OfString("b")})},
      {"()", TFormValue::OfList({})},
      {"<\n  item\n    Width = 1\n  end\n  item\n  end>",
       Collection({{{"Width", TFormValue::OfInteger(1), 0}}, {}})},
      {"<>", Collection({})},
      {"{\n  0A0b\n  FF}", TFormValue::OfBinary({0x0A, 0x0B, 0xFF})},
  };
  for (const TCase& t : cases) EXPECT_EQ(ValueOf(t.Text), t.Expected) << t.Text;
}

TEST(FormTextParserTest, NestedBlocksKeywordsAndUnindentedLines) {
  TFormNode root = ParseFormText(
      "OBJECT frmMain: TfrmMain\n"
      "Left = 1\n"
      "Font.Name = 'x'\n"
      "inherited Panel1: TPanel\n"
      "object btnOk: TButton [2]\n"
      "end\n"
      "End\n"
      "inline Frame1: TFrame\n"
      "end\n"
      "object TTimer\n"
      "end\n"
      "end\n");
  EXPECT_EQ(root.Name, "frmMain");
  EXPECT_EQ(root.ClassName, "TfrmMain");
  ASSERT_EQ(root.Properties.size(), 2u);
  EXPECT_EQ(root.Properties[1].Name, "Font.Name");
  EXPECT_EQ(root.Properties[1].Line, 3);
  ASSERT_EQ(root.Children.size(), 3u);
  EXPECT_EQ(root.Children[0].Kind, TFormNodeKind::Inherited);
  EXPECT_EQ(root.Children[0].Children.at(0).Name, "btnOk");
  EXPECT_EQ(root.Children[0].Children.at(0).Line, 5);
  EXPECT_EQ(root.Children[1].Kind, TFormNodeKind::Inline);
  EXPECT_EQ(root.Children[2].Name, "");
  EXPECT_EQ(root.Children[2].ClassName, "TTimer");
}

TEST(FormTextParserTest, MalformedTextsFailWithTheLine) {
  struct TCase {
    const char* Text;
    const char* Message;
  } cases[] = {
      {"object a: TX\n  Left = 1\n", "Line 3: 'end' expected for 'a' but end of text found"},
      {"object a: TX\n  Left 1\nend", "Line 2: '=' expected but '1' found"},
      {"objekt a: TX\nend", "Line 1: 'object' expected but 'objekt' found"},
      {"object a: TX\n  S = 'abc\nend", "Line 2: Unterminated string"},
      {"object a: TX\n  S = 'x' +\nend", "Line 3: String expected but 'end' found"},
      {"object a: TX\n  D = {0A0}\nend", "Line 2: Invalid binary value: odd number of hex digits"},
      {"object a: TX\n\n  D = {0G}\nend", "Line 3: Invalid binary value"},
      {"object a: TX\n  S = [a b]\nend", "Line 2: ',' expected but 'b' found"},
      {"object a: TX\n  N = 99999999999999999999\nend", "Line 2: Invalid integer '99999999999999999999'"},
      {"object a: TX\n  L = ('a'\n", "Line 3: ')' expected but end of text found"},
      {"object a: TX\n  C = <\n    Width = 1\n  >\nend", "Line 3: 'item' expected but 'Width' found"},
      {"object a: TX\n  S = #\nend", "Line 2: Invalid character code"},
      {"object a: TX\nend\nextra", "Line 3: End of text expected but 'extra' found"},
      {"object a: TX\n  P = )\nend", "Line 2: Invalid property value ')'"},
      {"", "Line 1: 'object' expected but end of text found"},
  };
  for (const TCase& t : cases) {
    try {
      ParseFormText(t.Text);
      ADD_FAILURE() << t.Text;
    } catch (const EParserError& e) {
      EXPECT_EQ(e.Message(), t.Message) << t.Text;
    }
  }
}

class FormTextReadTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTestClasses();
    Form.SetName("frmTest");
  }
  TTestForm Form{nullptr};
};

const char* const FullForm =
    "object frmTest: TTestForm\n"
    "  Caption = #21046#34920' ok'\n"
    "  Color = clWindow\n"
    "  Font.Name = '宋体'\n"
    "  Font.Height = -13\n"
    "  Font.Charset = GB2312_CHARSET\n"
    "  Font.Style = [fsBold]\n"
    "  OnClick = btnOkClick\n"
    "  object Panel1: TTestControl\n"
    "    Left = -8\n"
    "    Align = taClient\n"
    "    Anchors = [tanLeft, tanRight]\n"
    "    Ratio = 0.25\n"
    "    Accel = 'Q'\n"
    "    Visible = False\n"
    "    Items.Strings = (\n"
    "      'one'\n"
    "      '二')\n"
    "    Columns = <\n"
    "      item\n"
    "        Width = 80\n"
    "        Text = 'No.'\n"
    "      end\n"
    "      item\n"
    "      end>\n"
    "    FocusControl = btnOk\n"
    "    object btnOk: TTestControl\n"
    "      Color = $00123456\n"
    "      OnClick = btnOkClick\n"
    "      OnLookup = LookupText\n"
    "    end\n"
    "  end\n"
    "  object Timer1: TTestTimer\n"
    "    Interval = 250\n"
    "    OnTimer = OtherClick\n"
    "  end\n"
    "end\n";

TEST_F(FormTextReadTest, CreatesComponentsByClassAndSetsEveryKind) {
  ReadFormText(&Form, FullForm);
  EXPECT_EQ(Form.Caption, "制表 ok");
  EXPECT_EQ(Form.Color, static_cast<TColor>(0x80000005));
  EXPECT_EQ(Form.Font()->Name(), "宋体");
  EXPECT_EQ(Form.Font()->Size(), 10);
  EXPECT_EQ(Form.Font()->Charset(), GB2312_CHARSET);
  ASSERT_EQ(Form.ComponentCount(), 3);

  auto* panel = Form.FindComponent<TTestControl>("Panel1");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Owner(), &Form);
  EXPECT_EQ(panel->Parent(), &Form);
  EXPECT_EQ(panel->Left(), -8);
  EXPECT_EQ(panel->Align, taClient);
  EXPECT_EQ(panel->Anchors, (TTestAnchors{tanLeft, tanRight}));
  EXPECT_DOUBLE_EQ(panel->Ratio, 0.25);
  EXPECT_EQ(panel->Accel, 'Q');
  EXPECT_FALSE(panel->Visible);
  EXPECT_EQ(panel->Items()->Text(), "one\r\n二\r\n");
  ASSERT_EQ(panel->Columns()->Count(), 2);
  EXPECT_EQ(static_cast<TTestItem*>(panel->Columns()->Items(0))->Width, 80);
  EXPECT_EQ(static_cast<TTestItem*>(panel->Columns()->Items(0))->Text, "No.");
  EXPECT_EQ(static_cast<TTestItem*>(panel->Columns()->Items(1))->Width, 50);

  // Declared after the reference to it, owned by the root, parented to the panel.
  ASSERT_NE(Form.btnOk, nullptr);
  EXPECT_EQ(Form.btnOk->Parent(), panel);
  EXPECT_EQ(panel->FocusControl, Form.btnOk);
  EXPECT_EQ(Form.btnOk->Color, 0x123456);
  Form.btnOk->OnClick(Form.btnOk);
  EXPECT_EQ(Form.Clicks, std::vector<TObject*>{Form.btnOk});
  std::string text = "x";
  Form.btnOk->OnLookup(nullptr, text);
  EXPECT_EQ(text, "x!");
  ASSERT_NE(Form.Timer1, nullptr);
  EXPECT_EQ(Form.Timer1->Interval, 250);
  Form.Timer1->OnTimer(nullptr);
  EXPECT_EQ(Form.OtherClicks, 1);

  for (TTestControl* c : {static_cast<TTestControl*>(&Form), panel, Form.btnOk}) {
    EXPECT_EQ(c->LoadedCount, 1) << c->Name();
    EXPECT_FALSE(c->ComponentState().Contains(csLoading));
    EXPECT_FALSE(c->ComponentState().Contains(csReading));
  }

  // The reference is dropped when its target goes.
  delete Form.btnOk;
  EXPECT_EQ(panel->FocusControl, nullptr);
  EXPECT_EQ(Form.btnOk, nullptr);
}

TEST_F(FormTextReadTest, InheritedBlocksFindComponentsAndObjectBlocksReuseTheSameClass) {
  auto* existing = new TTestControl(&Form);
  existing->SetName("Panel1");
  ReadFormText(&Form,
               "inherited frmTest: TTestForm\n"
               "  inherited Panel1: TTestControl\n"
               "    Left = 4\n"
               "  end\n"
               "  object Panel1: TTestControl\n"
               "    Caption = 'again'\n"
               "  end\n"
               "end\n");
  EXPECT_EQ(Form.ComponentCount(), 1);
  EXPECT_EQ(existing->Left(), 4);
  EXPECT_EQ(existing->Caption, "again");
}

TEST_F(FormTextReadTest, FailuresNameTheLineAndLeaveTheFormUsable) {
  auto* kept = new TTestControl(&Form);
  kept->SetName("kept");
  struct TCase {
    const char* Body;
    const char* Message;
  } cases[] = {
      {"  object p: TNoSuchClass\n  end\n", "Line 2: Class TNoSuchClass not found"},
      {"  object p: TTestControl\n    Wdth = 3\n  end\n",
       "Line 3: Error reading p.Wdth: Property Wdth does not exist"},
      {"  object p: TTestControl\n    Left = 'abc'\n  end\n",
       "Line 3: Error reading p.Left: Invalid property value a string for Integer"},
      {"  Align = taSideways\n", "Line 2: Error reading frmTest.Align: Invalid property value 'taSideways' for TTestAlign"},
      {"  Anchors = [tanLeft, tanUp]\n", "Line 2: Error reading frmTest.Anchors: Invalid property element: tanUp"},
      {"  Color = clPlaid\n", "Line 2: Error reading frmTest.Color: Invalid property value 'clPlaid' for TColor"},
      {"  Font.Weight = 3\n", "Line 2: Error reading frmTest.Font.Weight: Property Weight does not exist"},
      {"  OnClick = NoSuchHandler\n", "Line 2: Error reading frmTest.OnClick: Method NoSuchHandler not found in TTestForm"},
      {"  OnClick = LookupText\n",
       "Line 2: Error reading frmTest.OnClick: Method LookupText does not fit the event type TNotifyEvent"},
      {"  ReadOnlyText = 'x'\n", "Line 2: Error reading frmTest.ReadOnlyText: Property ReadOnlyText is read-only"},
      {"  inherited ghost: TTestControl\n  end\n", "Line 2: Error reading ghost: Ancestor for 'ghost' not found"},
      {"  object Kept: TTestTimer\n  end\n", "Line 2: Error reading Kept: A component named Kept already exists"},
      {"  FocusControl = nobody\n", "Line 2: Error reading frmTest.FocusControl: Component nobody not found"},
      {"  FocusControl = Timer9\n  object Timer9: TTestTimer\n  end\n",
       "Line 2: Error reading frmTest.FocusControl: TTestTimer does not fit TTestControl"},
      {"  object p: TTestControl\n    Columns = <\n      item\n        Wide = 1\n      end>\n  end\n",
       "Line 5: Error reading p.Columns[0].Wide: Property Wide does not exist"},
      {"  object p: TTestControl\n    Items.Strings = (1)\n  end\n",
       "Line 3: Error reading p.Items.Strings: A list of strings expected"},
      {"  object a1: TTestControl\n    object a2: TTestControl\n      object a3: TTestControl\n"
       "        Left = x\n      end\n    end\n  end\n",
       "Line 5: Error reading a3.Left: Invalid property value 'x' for Integer"},
  };
  for (const TCase& t : cases) {
    std::string text = std::string("object frmTest: TTestForm\n") + t.Body + "end\n";
    try {
      ReadFormText(&Form, text);
      ADD_FAILURE() << t.Body;
    } catch (const EFilerError& e) {
      EXPECT_EQ(e.Message(), t.Message) << t.Body;
    }
    // Only what the failed read created is gone; the form is out of the loading state.
    ASSERT_EQ(Form.ComponentCount(), 1) << t.Body;
    EXPECT_EQ(Form.Components(0), kept);
    EXPECT_TRUE(kept->Children().empty());
    EXPECT_FALSE(Form.ComponentState().Contains(csLoading));
    EXPECT_FALSE(Form.ComponentState().Contains(csReading));
    EXPECT_EQ(Form.LoadedCount, 0);
  }
  try {
    ReadFormText(&Form, "object x: TTestTimer\nend\n");
    ADD_FAILURE();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Line 1: Error reading x: Root class TTestTimer does not match TTestForm");
  }
  // Still usable: a good text reads.
  ReadFormText(&Form, "object frmTest: TTestForm\n  Left = 3\nend\n");
  EXPECT_EQ(Form.Left(), 3);
  EXPECT_EQ(Form.LoadedCount, 1);
}

TEST_F(FormTextReadTest, ATextThatDoesNotParseChangesNothing) {
  EXPECT_THROW(ReadFormText(&Form, "object frmTest: TTestForm\n  Left = 3\n  object p: TTestControl\n"), EParserError);
  EXPECT_EQ(Form.Left(), 0);
  EXPECT_EQ(Form.ComponentCount(), 0);
}

TEST_F(FormTextReadTest, WritesTheDifferenceAndReadsItBack) {
  ReadFormText(&Form, FullForm);
  Form.btnOk->Caption = std::string(70, 'x') + "中";
  std::string text = WriteFormText(&Form);
  EXPECT_EQ(text,
            std::string("object frmTest: TTestForm\n") +
            "  Caption = #21046#34920' ok'\n"
            "  Color = clWindow\n"
            "  Font.Charset = GB2312_CHARSET\n"
            "  Font.Height = -13\n"
            "  Font.Name = #23435#20307\n"
            "  Font.Style = [fsBold]\n"
            "  OnClick = btnOkClick\n"
            "  object Panel1: TTestControl\n"
            "    Left = -8\n"
            "    Visible = False\n"
            "    Align = taClient\n"
            "    Anchors = [tanLeft, tanRight]\n"
            "    Ratio = 0.25\n"
            "    Accel = 'Q'\n"
            "    Items.Strings = (\n"
            "      'one'\n"
            "      #20108)\n"
            "    Columns = <\n"
            "      item\n"
            "        Width = 80\n"
            "        Text = 'No.'\n"
            "      end\n"
            "      item\n"
            "      end>\n"
            "    FocusControl = btnOk\n"
            "    object btnOk: TTestControl\n"
            "      Caption = '" + std::string(63, 'x') + "' +\n"
            "        'xxxxxxx'#20013\n"
            "      Color = 1193046\n"
            "      OnClick = btnOkClick\n"
            "      OnLookup = LookupText\n"
            "    end\n"
            "  end\n"
            "  object Timer1: TTestTimer\n"
            "    Interval = 250\n"
            "    OnTimer = OtherClick\n"
            "  end\n"
            "end\n");

  TTestForm copy(nullptr);
  ReadFormText(&copy, text);
  EXPECT_EQ(copy.Name(), "frmTest");
  EXPECT_EQ(copy.btnOk->Caption, Form.btnOk->Caption);
  EXPECT_EQ(copy.btnOk->Parent(), copy.FindComponent("Panel1"));
  EXPECT_EQ(WriteFormText(&copy), text);
}

TEST_F(FormTextReadTest, UnchangedComponentsWriteNoProperties) {
  auto* c = new TTestControl(&Form);
  c->SetName("Plain");
  c->SetParentComponent(&Form);
  auto* t = new TTestTimer(&Form);
  t->SetName("Timer1");
  EXPECT_EQ(WriteFormText(&Form),
            "object frmTest: TTestForm\n"
            "  object Plain: TTestControl\n"
            "  end\n"
            "  object Timer1: TTestTimer\n"
            "  end\n"
            "end\n");
}

// A form whose layout is compiled in, and a descendant that adds to it.
class TLayoutForm : public TTestForm {
  KESR_CLASS(TLayoutForm, TTestForm)
public:
  explicit TLayoutForm(TComponent* AOwner) : TTestForm(AOwner) { ApplyFormLayout(this, StaticClass()); }
};

class TLayoutChildForm : public TLayoutForm {
  KESR_CLASS(TLayoutChildForm, TLayoutForm)
public:
  explicit TLayoutChildForm(TComponent* AOwner) : TLayoutForm(AOwner) { ApplyFormLayout(this, StaticClass()); }
};

const TClass& TLayoutForm::StaticClass() {
  static const TClass Class = TClassBuilder<TLayoutForm>("TLayoutForm").Build();
  return Class;
}

const TClass& TLayoutChildForm::StaticClass() {
  static const TClass Class = TClassBuilder<TLayoutChildForm>("TLayoutChildForm").Build();
  return Class;
}

const bool LayoutsRegistered = RegisterFormLayout(TLayoutForm::StaticClass(),
                                                  "object frmLayout: TLayoutForm\n"
                                                  "  Caption = 'Base'\n"
                                                  "  object btnOk: TTestControl\n"
                                                  "    Caption = 'OK'\n"
                                                  "    OnClick = btnOkClick\n"
                                                  "  end\n"
                                                  "end\n") &&
                               RegisterFormLayout(TLayoutChildForm::StaticClass(),
                                                  "inherited frmLayout: TLayoutChildForm\n"
                                                  "  Caption = 'Child'\n"
                                                  "  inherited btnOk: TTestControl\n"
                                                  "    Left = 10\n"
                                                  "  end\n"
                                                  "  object Timer1: TTestTimer\n"
                                                  "  end\n"
                                                  "end\n");

TEST_F(FormTextReadTest, FormsAreCreatedFromTheirLayoutsAndWriteOnlyTheirChanges) {
  ASSERT_TRUE(LayoutsRegistered);
  TLayoutChildForm form(nullptr);
  EXPECT_EQ(form.Name(), "frmLayout");
  EXPECT_EQ(form.Caption, "Child");
  ASSERT_NE(form.btnOk, nullptr);
  EXPECT_EQ(form.btnOk->Caption, "OK");
  EXPECT_EQ(form.btnOk->Left(), 10);
  ASSERT_NE(form.Timer1, nullptr);
  form.btnOk->OnClick(nullptr);
  EXPECT_EQ(form.Clicks.size(), 1u);

  // The difference against a fresh instance: only what changed since creation.
  EXPECT_EQ(WriteFormText(&form),
            "object frmLayout: TLayoutChildForm\n"
            "  inherited btnOk: TTestControl\n"
            "  end\n"
            "  inherited Timer1: TTestTimer\n"
            "  end\n"
            "end\n");
  form.btnOk->SetLeft(20);
  form.btnOk->OnClick = TNotifyEvent(&form, &TTestForm::OtherClick);
  auto* added = new TTestControl(&form);
  added->SetName("lblAdded");
  added->SetParentComponent(&form);
  added->Caption = "new";
  std::string text = WriteFormText(&form);
  EXPECT_EQ(text,
            "object frmLayout: TLayoutChildForm\n"
            "  inherited btnOk: TTestControl\n"
            "    Left = 20\n"
            "    OnClick = OtherClick\n"
            "  end\n"
            "  object lblAdded: TTestControl\n"
            "    Caption = 'new'\n"
            "  end\n"
            "  inherited Timer1: TTestTimer\n"
            "  end\n"
            "end\n");

  // A stored format read into a fresh form by the same path.
  TLayoutChildForm again(nullptr);
  ReadFormText(&again, text);
  EXPECT_EQ(again.btnOk->Left(), 20);
  EXPECT_EQ(again.FindComponent<TTestControl>("lblAdded")->Caption, "new");
  again.btnOk->OnClick(nullptr);
  EXPECT_EQ(again.OtherClicks, 1);

  // Two instances side by side: the second gets a unique name.
  TComponent owner(nullptr);
  auto* first = new TLayoutChildForm(&owner);
  auto* second = new TLayoutChildForm(&owner);
  EXPECT_EQ(first->Name(), "frmLayout");
  EXPECT_EQ(second->Name(), "frmLayout_1");

  // A malformed stored format fails and leaves the form as it was created.
  EXPECT_THROW(ReadFormText(&again, "object frmLayout: TLayoutChildForm\n  object x: TTestControl\n    Left = y\n  end\nend\n"),
               EReadError);
  EXPECT_EQ(again.ComponentCount(), 3);
  EXPECT_EQ(again.FindComponent("x"), nullptr);
}

}  // namespace
