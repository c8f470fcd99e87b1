#include <gtest/gtest.h>

#include "Events.h"
#include "TestComponents.h"

namespace {

// Hooks a control's OnClick and chains to the handler it replaced.
class THook : public TObject {
public:
  void Install(TTestControl& c) {
    FOld = c.OnClick;
    c.OnClick = TNotifyEvent(this, &THook::Click);
  }
  void Uninstall(TTestControl& c) { c.OnClick = FOld; }
  void Click(TObject* Sender) {
    ++Hooked;
    FOld(Sender);
  }
  int Hooked = 0;

private:
  TNotifyEvent FOld;
};

TEST(EventsTest, UnassignedEventsAreFalseAndCallingThemDoesNothing) {
  TNotifyEvent e;
  EXPECT_FALSE(Assigned(e));
  EXPECT_FALSE(e);
  e(nullptr);
  EXPECT_EQ(e, TNotifyEvent(nullptr));
  TTestForm* nobody = nullptr;
  EXPECT_FALSE(TNotifyEvent(nobody, &TTestForm::btnOkClick).Assigned());
}

TEST(EventsTest, HandlersCompareByObjectAndMethod) {
  TTestForm a(nullptr), b(nullptr);
  TNotifyEvent ok(&a, &TTestForm::btnOkClick);
  EXPECT_EQ(ok, TNotifyEvent(&a, &TTestForm::btnOkClick));
  EXPECT_NE(ok, TNotifyEvent(&b, &TTestForm::btnOkClick));
  EXPECT_NE(ok, TNotifyEvent(&a, &TTestForm::OtherClick));
  ok(&b);
  EXPECT_EQ(a.Clicks, std::vector<TObject*>{&b});
}

TEST(EventsTest, SaveHookChainAndRestore) {
  TTestForm form(nullptr);
  TTestControl button(nullptr);
  button.OnClick = TNotifyEvent(&form, &TTestForm::btnOkClick);
  TNotifyEvent original = button.OnClick;
  THook hook;
  hook.Install(button);
  EXPECT_NE(button.OnClick, original);
  button.OnClick(&button);
  EXPECT_EQ(hook.Hooked, 1);
  EXPECT_EQ(form.Clicks.size(), 1u);
  hook.Uninstall(button);
  EXPECT_EQ(button.OnClick, original);
  button.OnClick(&button);
  EXPECT_EQ(hook.Hooked, 1);
  EXPECT_EQ(form.Clicks.size(), 2u);
}

TEST(EventsTest, VarParametersReachTheCaller) {
  TTestForm form(nullptr);
  TTestLookupEvent lookup(&form, &TTestForm::LookupText);
  std::string text = "abc";
  lookup(&form, text);
  EXPECT_EQ(text, "abc!");

  struct TKeys {
    void KeyDown(TObject*, std::uint16_t& Key, TShiftState Shift) {
      if (Shift == TShiftState{ssCtrl}) Key = 0;
    }
  } keys;
  TKeyEvent e(&keys, &TKeys::KeyDown);
  std::uint16_t key = 13;
  e(nullptr, key, {ssCtrl, ssShift});
  EXPECT_EQ(key, 13);  // shift states compare exactly
  e(nullptr, key, {ssCtrl});
  EXPECT_EQ(key, 0);
}

TEST(EventsTest, MethodPropertiesByNameCheckTheParameters) {
  TTestForm form(nullptr);
  TTestControl button(nullptr);
  TMethod click = form.MethodAddress("BTNOKCLICK");
  ASSERT_TRUE(click.Assigned());
  EXPECT_EQ(form.MethodName(click), "btnOkClick");
  SetMethodProp(&button, "OnClick", click);
  button.OnClick(&button);
  EXPECT_EQ(form.Clicks, std::vector<TObject*>{&button});
  EXPECT_EQ(GetMethodProp(&button, "OnClick"), click);

  // A handler with other parameters is not taken, and untyped it stays empty.
  TMethod lookup = form.MethodAddress("LookupText");
  SetMethodProp(&button, "OnClick", lookup);
  EXPECT_EQ(GetMethodProp(&button, "OnClick"), click);
  EXPECT_FALSE(TNotifyEvent::FromMethod(lookup).Assigned());
  SetMethodProp(&button, "OnLookup", lookup);
  EXPECT_TRUE(button.OnLookup.Assigned());

  SetMethodProp(&button, "OnClick", TMethod{});
  EXPECT_FALSE(button.OnClick.Assigned());
  EXPECT_FALSE(form.MethodAddress("NoSuchHandler").Assigned());
  TTestForm other(nullptr);  // the same method of another object is not one of form's
  EXPECT_EQ(form.MethodName(TNotifyEvent(&other, &TTestForm::OtherClick).Method()), "");
}

}  // namespace
