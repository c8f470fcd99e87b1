#include "ZNForm.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "Bitmap.h"
#include "Buttons.h"
#include "Colors.h"
#include "DynLib.h"
#include "GSpdBtn.h"
#include "L10nFixture.h"
#include "TranslatorU.h"
#include "TypInfo.h"
#include "ZntEdit.h"

namespace {

class TfrmLevel1 : public TZNForm {
  KESR_CLASS(TfrmLevel1, TZNForm)
public:
  explicit TfrmLevel1(TComponent* AOwner) : TZNForm(AOwner) {
    lblTitle = new TLabel(this);
    lblTitle->SetName("lblTitle");
    lblTitle->SetParent(this);
    lblTitle->SetCaption("标题");
  }
  TLabel* lblTitle;
};

class TfrmLevel2 : public TfrmLevel1 {
  KESR_CLASS(TfrmLevel2, TfrmLevel1)
public:
  using TfrmLevel1::TfrmLevel1;
};

const TClass& TfrmLevel1::StaticClass() {
  static const TClass Class = TClassBuilder<TfrmLevel1>("TfrmLevel1").Build();
  return Class;
}
const TClass& TfrmLevel2::StaticClass() {
  static const TClass Class = TClassBuilder<TfrmLevel2>("TfrmLevel2").Build();
  return Class;
}

class ZNFormTest : public TL10nFixture {
protected:
  void SetUp() override { Install("936"); }
};

TEST_F(ZNFormTest, TheBaseFormCarriesItsConverterControllerAndDefaults) {
  auto* form = CreateForm<TZNForm>(nullptr);
  ASSERT_NE(form->ZnConverter, nullptr);
  ASSERT_NE(form->LangController, nullptr);
  EXPECT_EQ(form->FindComponent("ZnConverter"), form->ZnConverter);
  EXPECT_EQ(form->FindComponent("LangController"), form->LangController);
  EXPECT_FALSE(form->LangController->Active());
  EXPECT_EQ(form->Caption(), "ZNForm");
  EXPECT_EQ(form->Font()->Name(), "宋体");
  EXPECT_EQ(form->Font()->Height(), -13);
  EXPECT_TRUE(form->KeyPreview());
  EXPECT_EQ(form->Position(), poScreenCenter);
  EXPECT_TRUE(form->ShowHint());
  EXPECT_FALSE(form->Converted());
  EXPECT_TRUE(form->LoadLangOnShow());
  EXPECT_EQ(form->GetUICodePage(), "936");
  EXPECT_EQ(form->GetTranslator(), nullptr);
  form->Free();
}

TEST_F(ZNFormTest, ShowingLoadsTheClassChainBaseFirstAndTheDerivedFileWins) {
  WriteLang("CHS", "TfrmLevel1", R"(<TfrmLevel1 Caption="Base"><lblTitle Caption="Base title" Hint="Base hint"/></TfrmLevel1>)");
  WriteLang("CHS", "TfrmLevel2", R"(<TfrmLevel2><lblTitle Caption="Leaf title"/></TfrmLevel2>)");
  auto* form = CreateForm<TfrmLevel2>(nullptr);
  form->Show();
  EXPECT_EQ(form->Caption(), "Base");
  EXPECT_EQ(form->lblTitle->Caption(), "Leaf title");
  EXPECT_EQ(form->lblTitle->Hint(), "Base hint");
  // The last class of the chain has a file: the controller stays open on it.
  EXPECT_TRUE(form->LangController->Active());
  EXPECT_EQ(form->LangController->LangPackageName(), "TfrmLevel2");
  form->Free();
}

TEST_F(ZNFormTest, LoadingBelowTheBaseSkipsTheBaseFormsFile) {
  WriteLang("CHS", "TZNForm", R"(<TZNForm Hint="from base"/>)");
  WriteLang("CHS", "TfrmLevel1", R"(<TfrmLevel1 Caption="Level 1"/>)");
  auto* form = CreateForm<TfrmLevel1>(nullptr);
  form->SetLoadLangOnShow(false);
  form->Show();
  EXPECT_EQ(form->Caption(), "ZNForm");
  form->LoadLanguageBelowBase(form, true);
  EXPECT_EQ(form->Caption(), "Level 1");
  EXPECT_EQ(form->Hint(), "");
  form->LoadLanguage(form, false);
  EXPECT_EQ(form->Hint(), "");
  form->LoadFormLanguage(true);
  EXPECT_EQ(form->Hint(), "from base");
  form->Free();
}

TEST_F(ZNFormTest, AFileThatDoesNotParseFailsTheShowing) {
  WriteLang("CHS", "TfrmLevel1", "<TfrmLevel1><lblTitle></TfrmLevel1>");
  auto* form = CreateForm<TfrmLevel1>(nullptr);
  EXPECT_THROW(form->Show(), LanguageControllerError);
  form->Free();
}

TEST_F(ZNFormTest, LangTextUsesTheFileOrTheDefault) {
  WriteLang("CHS", "TfrmBaseGene", R"(<TfrmBaseGene><sDeleteProj Msg="删除方案？"/></TfrmBaseGene>)");
  auto* form = CreateForm<TZNForm>(nullptr);
  std::string text;
  form->LangText("TfrmBaseGene", "sDeleteProj", text, true, "确实要删除此方案吗？");
  EXPECT_EQ(text, "删除方案？");
  form->LangText("TfrmBaseGene", "sOther", text, false, "默认");
  EXPECT_EQ(text, "默认");
  form->Free();
}

TEST_F(ZNFormTest, UnderModeTwoTheDefaultIsConvertedOnlyWhenAsked) {
  Install("950");
  auto* form = CreateForm<TZNForm>(nullptr);
  std::string text;
  form->LangText("TfrmBaseGene", "sDeleteProj", text, true, "删除");
  EXPECT_EQ(text, "刪除");
  form->LangText("TfrmBaseGene", "sDeleteProj", text, false, "删除");
  EXPECT_EQ(text, "删除");
  EXPECT_NE(form->GetTranslator(), nullptr);
  form->Free();
}

TEST_F(ZNFormTest, CreationFailsWithoutTheHelperLibrary) {
  if (std::getenv("KESR_L10N_WITHOUT_HELPER")) {
    Install("950");
    try {
      CreateForm<TZNForm>(nullptr);
      ADD_FAILURE() << "created";
    } catch (const ETranslatorError& e) {
      EXPECT_STREQ(e.what(), "Load Library Znlanguage.dll Error!");
    }
    return;
  }
  // Run this test again from a copy of the program in a folder that lacks
  // the helper library (the library is looked for beside the program).
  namespace fs = std::filesystem;
  TScratchFolder bin;
  const fs::path exe = ExeFileName();
  fs::copy_file(exe, bin.Path() + exe.filename().string());
  fs::create_symlink(fs::path(exe).parent_path() / "libkplatform.so", bin.Path() + "libkplatform.so");
  const std::string command = "KESR_L10N_WITHOUT_HELPER=1 '" + bin.Path() + exe.filename().string() +
                              "' --gtest_filter=ZNFormTest.CreationFailsWithoutTheHelperLibrary > '" + bin.Path() + "out.txt' 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  const std::string output = ReadWholeFile(bin.Path() + "out.txt");
  EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

// A 16 x 16 glyph on an olive background with a white square of 4 x 4.
void PaintSquare(TBitmap& glyph) {
  glyph.SetSize(16, 16);
  glyph.SetPixelFormat(pf24bit);
  for (int y = 0; y < 16; ++y) glyph.FillSpan(y, 0, 16, clOlive);
  for (int y = 4; y < 8; ++y) glyph.FillSpan(y, 4, 4, clWhite);
  glyph.SetPixel(10, 10, clBlack);
}

TEST_F(ZNFormTest, DisabledImageMarksDarkPixelsAndLightPixelsAtTheEdge) {
  TBitmap glyph, disabled;
  PaintSquare(glyph);
  MakeDisabledGlyph(glyph, disabled);
  ASSERT_EQ(disabled.Width(), 16);
  const TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight),
               face = ColorToRGB(clBtnFace);
  EXPECT_EQ(disabled.GetPixel(4, 4), shadow);    // white beside the background
  EXPECT_EQ(disabled.GetPixel(5, 5), highlight);  // white inside: only the lifted copy
  EXPECT_EQ(disabled.GetPixel(6, 6), face);
  EXPECT_EQ(disabled.GetPixel(10, 10), shadow);  // dark
  EXPECT_EQ(disabled.GetPixel(11, 11), highlight);
  EXPECT_EQ(disabled.GetPixel(0, 0), face);
}

TEST_F(ZNFormTest, CreationGivesOneImageGlyphButtonsTheirDisabledImage) {
  auto* form = CreateForm<TZNForm>(nullptr);
  auto* one = new TSpeedButton(form);
  PaintSquare(*one->Glyph());
  auto* two = new TBitBtn(form);
  two->Glyph()->SetSize(32, 16);
  two->SetNumGlyphs(2);
  auto* empty = new TSpeedButton(form);
  auto* edit = new TZnBtnDBEdit(form);
  auto* glyphButton = new TGSpeedButton(form);
  glyphButton->SetGlyphIndex(47);
  form->FormCreate(form);

  EXPECT_EQ(one->Glyph()->Width(), 32);
  EXPECT_EQ(one->Glyph()->Height(), 16);
  EXPECT_EQ(one->NumGlyphs(), 2);
  EXPECT_EQ(one->Glyph()->GetPixel(4, 4), clWhite);
  EXPECT_EQ(one->Glyph()->GetPixel(16 + 4, 4), ColorToRGB(clBtnShadow));
  EXPECT_EQ(two->Glyph()->Width(), 32);
  EXPECT_EQ(two->NumGlyphs(), 2);
  EXPECT_TRUE(empty->Glyph()->Empty());
  EXPECT_EQ(empty->NumGlyphs(), 1);
  EXPECT_EQ(edit->F2Button()->NumGlyphs(), 2);
  EXPECT_EQ(edit->F2Button()->Glyph()->Width(), 32);
  EXPECT_EQ(glyphButton->NumGlyphs(), 2);
  form->Free();
}

TEST_F(ZNFormTest, AnEnglishInterfaceGetsTahomaFonts) {
  Install("437");
  auto* form = CreateForm<TZNForm>(nullptr);
  auto* label = new TLabel(form);
  auto* converter = new TCodeConverter(form);
  form->FormCreate(form);
  EXPECT_EQ(label->Font()->Name(), "Tahoma");
  EXPECT_EQ(label->Font()->Charset(), GB2312_CHARSET);
  EXPECT_FALSE(IsPublishedProp(converter, "Font"));
  form->Free();
}

}  // namespace

namespace {

// A component of a later unit that holds speed buttons of its own.
class TButtonHolder : public TComponent {
  KESR_CLASS(TButtonHolder, TComponent)
public:
  explicit TButtonHolder(TComponent* AOwner) : TComponent(AOwner), Button(new TSpeedButton(this)) {}
  TSpeedButton* Button;
};

const TClass& TButtonHolder::StaticClass() {
  static const TClass Class = TClassBuilder<TButtonHolder>("TButtonHolder").Build();
  return Class;
}

TEST_F(ZNFormTest, LaterClassesNameTheGlyphButtonsTheyHold) {
  TZNForm::RegisterGlyphButtons(TButtonHolder::StaticClass(), [](TComponent& C) {
    return std::vector<TSpeedButton*>{static_cast<TButtonHolder&>(C).Button};
  });
  auto* form = CreateForm<TZNForm>(nullptr);
  auto* holder = new TButtonHolder(form);
  PaintSquare(*holder->Button->Glyph());
  form->FormCreate(form);
  EXPECT_EQ(holder->Button->NumGlyphs(), 2);
  EXPECT_EQ(holder->Button->Glyph()->Width(), 32);
  form->Free();
}

}  // namespace
