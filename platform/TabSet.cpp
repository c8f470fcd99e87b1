#include "TabSet.h"

#include "TypInfo.h"

TTabSet::TTabSet(TComponent* AOwner)
    : TCustomControl(AOwner), FTabs(std::make_unique<TControlStrings>([this] { TabsChanged(); })) {
  SetBounds(0, 0, 185, 21);
}

TTabSet::~TTabSet() = default;

TStrings* TTabSet::Tabs() const { return FTabs.get(); }

void TTabSet::SetTabs(TStrings* Value) {
  if (Value) FTabs->Assign(*Value);
}

// A tab that went away takes the selection with it. A layout may name the
// index before the tabs, so it is checked once the layout is read.
void TTabSet::TabsChanged() {
  if (!ComponentState().Contains(csLoading) && FTabIndex >= FTabs->Count()) FTabIndex = FTabs->Count() - 1;
}

void TTabSet::Loaded() {
  TCustomControl::Loaded();
  if (FTabIndex >= FTabs->Count()) FTabIndex = -1;
}

void TTabSet::SetTabIndex(int Value) {
  if (Value == FTabIndex || Value < -1) return;
  bool loading = ComponentState().Contains(csLoading);
  if (Value >= FTabs->Count() && !loading) return;
  if (!loading) {
    bool allow = true;
    OnChange(this, Value, allow);
    if (!allow) return;
  }
  FTabIndex = Value;
}

void TTabSet::SelectNext(bool GoForward) {
  int count = FTabs->Count();
  if (count == 0) return;
  int next = GoForward ? (FTabIndex + 1) % count : (FTabIndex <= 0 ? count - 1 : FTabIndex - 1);
  SetTabIndex(next);
}

const TClass& TTabSet::StaticClass() {
  static const TClass Class = TClassBuilder<TTabSet>("TTabSet")
                                  .Property("Tabs", &TTabSet::Tabs, &TTabSet::SetTabs)
                                  .Property("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex).Default(-1)
                                  .Property("OnChange", &TTabSet::OnChange, &TTabSet::OnChange)
                                  .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TTabSet::StaticClass()), true);
}  // namespace
