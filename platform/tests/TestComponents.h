#pragma once
// Small component classes for the component-model and streaming tests: a
// control with one property of every kind, a parent/child link as windowed
// controls have, a collection, a non-visual component and a form root with
// published handlers and fields.
#include <memory>
#include <string>
#include <vector>

#include "Collection.h"
#include "ColorIdents.h"
#include "Component.h"
#include "Font.h"
#include "StringList.h"
#include "TypInfo.h"

enum TTestAlign { taNone, taTop, taClient };
enum TTestAnchor { tanLeft, tanTop, tanRight };
using TTestAnchors = TSet<TTestAnchor>;

inline const TTypeInfo& TestAlignType() {
  static const TTypeInfo type = TTypeInfo::Enumeration("TTestAlign", {"taNone", "taTop", "taClient"});
  return type;
}
inline const TTypeInfo& TestAnchorType() {
  static const TTypeInfo type = TTypeInfo::Enumeration("TTestAnchor", {"tanLeft", "tanTop", "tanRight"});
  return type;
}
inline const TTypeInfo& TestAnchorsType() {
  static const TTypeInfo type = TTypeInfo::Set("TTestAnchors", TestAnchorType());
  return type;
}

class TTestItem : public TCollectionItem {
  KESR_CLASS(TTestItem, TCollectionItem)
public:
  explicit TTestItem(TCollection* Collection) : TCollectionItem(Collection) {}
  int Width = 50;
  std::string Text;
};

inline const TClass& TTestItem::StaticClass() {
  static const TClass Class = TClassBuilder<TTestItem>("TTestItem")
                                  .Property("Width", &TTestItem::Width, &TTestItem::Width)
                                  .Property("Text", &TTestItem::Text, &TTestItem::Text)
                                  .Build();
  return Class;
}

struct TTestLookupEvent : TEvent<TObject*, std::string&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TTestLookupEvent";
};

class TTestControl : public TComponent {
  KESR_CLASS(TTestControl, TComponent)
public:
  explicit TTestControl(TComponent* AOwner) : TComponent(AOwner) {}
  ~TTestControl() override {
    // As windowed controls do: children go with their parent.
    while (!FChildren.empty()) delete FChildren.back();
    if (FParent) FParent->Detach(this);
  }

  int Left() const { return FLeft; }
  void SetLeft(int Value) { FLeft = Value; }
  std::string Caption;
  TColor Color = static_cast<TColor>(0x8000000F);  // clBtnFace
  bool Visible = true;
  TTestAlign Align = taNone;
  TTestAnchors Anchors{tanLeft, tanTop};
  double Ratio = 1.0;
  char Accel = 'A';
  std::int64_t Big = 0;
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  TCollection* Columns() const { return FColumns.get(); }
  TTestControl* Focus() const { return FocusControl; }
  void SetFocus(TTestControl* Value) {
    if (FocusControl) FocusControl->RemoveFreeNotification(this);
    FocusControl = Value;
    if (Value) Value->FreeNotification(this);
  }
  std::string ReadOnlyText() const { return "fixed"; }
  TNotifyEvent OnClick;
  TTestLookupEvent OnLookup;

  TTestControl* Parent() const { return FParent; }
  const std::vector<TTestControl*>& Children() const { return FChildren; }

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return FParent; }
  void SetParentComponent(TComponent* Value) override {
    auto* parent = dynamic_cast<TTestControl*>(Value);
    if (parent == FParent) return;
    if (FParent) FParent->Detach(this);
    FParent = parent;
    if (parent) parent->FChildren.push_back(this);
  }
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override {
    for (TTestControl* c : std::vector<TTestControl*>(FChildren))
      if (c->Owner() == Root) Proc(c);
  }
  void Loaded() override {
    TComponent::Loaded();
    ++LoadedCount;
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FocusControl) FocusControl = nullptr;
  }

  int LoadedCount = 0;
  TTestControl* FocusControl = nullptr;

private:
  void Detach(TTestControl* child) {
    std::erase(FChildren, child);
    child->FParent = nullptr;
  }

  int FLeft = 0;
  std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
  std::unique_ptr<TStringList> FItems = std::make_unique<TStringList>();
  std::unique_ptr<TCollection> FColumns =
      std::make_unique<TCollection>(TTestItem::StaticClass(), TCollection::FactoryOf<TTestItem>(), this);
  TTestControl* FParent = nullptr;
  std::vector<TTestControl*> FChildren;
};

inline const TClass& TTestControl::StaticClass() {
  static const TClass Class =
      TClassBuilder<TTestControl>("TTestControl")
          .Property("Left", &TTestControl::Left, &TTestControl::SetLeft)
          .Default(0)
          .Property("Caption", &TTestControl::Caption, &TTestControl::Caption)
          .Property("Color", ColorTypeInfo(), &TTestControl::Color, &TTestControl::Color)
          .Property("Visible", &TTestControl::Visible, &TTestControl::Visible)
          .Default(1)
          .Property("Align", TestAlignType(), &TTestControl::Align, &TTestControl::Align)
          .Property("Anchors", TestAnchorsType(), &TTestControl::Anchors, &TTestControl::Anchors)
          .Property("Ratio", &TTestControl::Ratio, &TTestControl::Ratio)
          .Property("Accel", &TTestControl::Accel, &TTestControl::Accel)
          .Property("Big", &TTestControl::Big, &TTestControl::Big)
          .Property("Font", &TTestControl::Font, &TTestControl::SetFont)
          .Property("Items", &TTestControl::Items, &TTestControl::SetItems)
          .Property("Columns", &TTestControl::Columns, nullptr)
          .Property("FocusControl", &TTestControl::Focus, &TTestControl::SetFocus)
          .Property("ReadOnlyText", &TTestControl::ReadOnlyText, nullptr)
          .Property("OnClick", &TTestControl::OnClick, &TTestControl::OnClick)
          .Property("OnLookup", &TTestControl::OnLookup, &TTestControl::OnLookup)
          .Build();
  return Class;
}

// A non-visual component: written among the root's own children.
class TTestTimer : public TComponent {
  KESR_CLASS(TTestTimer, TComponent)
public:
  explicit TTestTimer(TComponent* AOwner) : TComponent(AOwner) {}
  int Interval = 1000;
  TNotifyEvent OnTimer;
};

inline const TClass& TTestTimer::StaticClass() {
  static const TClass Class = TClassBuilder<TTestTimer>("TTestTimer")
                                  .Property("Interval", &TTestTimer::Interval, &TTestTimer::Interval)
                                  .Default(1000)
                                  .Property("OnTimer", &TTestTimer::OnTimer, &TTestTimer::OnTimer)
                                  .Build();
  return Class;
}

// The root of a text: its handlers and component fields are published.
class TTestForm : public TTestControl {
  KESR_CLASS(TTestForm, TTestControl)
public:
  explicit TTestForm(TComponent* AOwner) : TTestControl(AOwner) {}
  ~TTestForm() override { DestroyComponents(); }

  void btnOkClick(TObject* Sender) { Clicks.push_back(Sender); }
  void OtherClick(TObject*) { ++OtherClicks; }
  void LookupText(TObject*, std::string& Text) { Text += "!"; }

  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override {
    TTestControl::GetChildren(Proc, Root);
    if (Root == this) TComponent::GetChildren(Proc, Root);  // the components without a parent
  }

  TTestControl* btnOk = nullptr;
  TTestTimer* Timer1 = nullptr;
  std::vector<TObject*> Clicks;
  int OtherClicks = 0;
};

inline const TClass& TTestForm::StaticClass() {
  static const TClass Class = TClassBuilder<TTestForm>("TTestForm")
                                  .Method("btnOkClick", &TTestForm::btnOkClick)
                                  .Method("OtherClick", &TTestForm::OtherClick)
                                  .Method("LookupText", &TTestForm::LookupText)
                                  .Field("btnOk", &TTestForm::btnOk)
                                  .Field("Timer1", &TTestForm::Timer1)
                                  .Build();
  return Class;
}

inline void RegisterTestClasses() {
  RegisterClasses({&TTestControl::StaticClass(), &TTestTimer::StaticClass(), &TTestForm::StaticClass()});
}
