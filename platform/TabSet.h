#pragma once
// TTabSet: a row of tabs named by Tabs, one of them current.
#include <memory>

#include "StdCtrls.h"

// Sender, NewTab, var AllowChange.
struct TTabChangeEvent : TEvent<TObject*, int, bool&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TTabChangeEvent";
};

class TTabSet : public TCustomControl {
  KESR_CLASS(TTabSet, TCustomControl)
public:
  explicit TTabSet(TComponent* AOwner);
  ~TTabSet() override;

  TStrings* Tabs() const;
  void SetTabs(TStrings* Value);
  int TabIndex() const { return FTabIndex; }
  // -1 or a tab; OnChange may refuse the change (not while a layout is
  // read). An index past the tabs is ignored.
  void SetTabIndex(int Value);
  // Selects the next or previous tab, wrapping.
  void SelectNext(bool GoForward);
  void Loaded() override;

  TTabChangeEvent OnChange;

private:
  void TabsChanged();

  std::unique_ptr<TControlStrings> FTabs;
  int FTabIndex = -1;
};
