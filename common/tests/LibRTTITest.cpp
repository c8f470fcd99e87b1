#include <gtest/gtest.h>

#include "Component.h"
#include "LibRTTI.h"
#include "TypInfo.h"

namespace {

enum TTestAlign { taNone, taTop, taBottom };

class TProbe : public TComponent {
  KESR_CLASS(TProbe, TComponent)
public:
  explicit TProbe(TComponent* AOwner) : TComponent(AOwner) {}
  std::string Caption;
  int Width = 75;
  bool Visible = true;
  TTestAlign Align = taNone;
  TNotifyEvent OnClick;
  TKeyPressEvent OnKeyPress;
  std::string Version() const { return "1.0"; }

  void Clicked(TObject*) { ++Clicks; }
  int Clicks = 0;
};

const TTypeInfo& AlignType() {
  static const TTypeInfo Type = TTypeInfo::Enumeration("TTestAlign", {"taNone", "taTop", "taBottom"});
  return Type;
}

const TClass& TProbe::StaticClass() {
  static const TClass Class = TClassBuilder<TProbe>("TProbe")
                                  .Property("Caption", &TProbe::Caption, &TProbe::Caption)
                                  .Property("Width", &TProbe::Width, &TProbe::Width)
                                  .Property("Visible", &TProbe::Visible, &TProbe::Visible)
                                  .Property("Align", AlignType(), &TProbe::Align, &TProbe::Align)
                                  .Property("OnClick", &TProbe::OnClick, &TProbe::OnClick)
                                  .Property("OnKeyPress", &TProbe::OnKeyPress, &TProbe::OnKeyPress)
                                  .Property("Version", &TProbe::Version, nullptr)
                                  .Build();
  return Class;
}

TEST(PropertiesByName, ReadAndWritePublishedProperties) {
  TProbe probe(nullptr);
  SetStrPropByName(&probe, "Caption", "客户");
  SetOrdPropByName(&probe, "Width", 120);
  SetOrdPropByName(&probe, "Visible", 0);
  SetOrdPropByName(&probe, "Align", taBottom);
  EXPECT_EQ(GetStrPropByName(&probe, "caption"), "客户");
  EXPECT_EQ(GetOrdPropByName(&probe, "Width"), 120);
  EXPECT_EQ(GetOrdPropByName(&probe, "Visible"), 0);
  EXPECT_EQ(GetOrdPropByName(&probe, "Align"), taBottom);
  EXPECT_EQ(GetStrPropByName(&probe, "Version"), "1.0");
  EXPECT_TRUE(HasPropByName(&probe, "OnClick"));

  SetMethodPropByName(&probe, "OnClick", TNotifyEvent(&probe, &TProbe::Clicked).Method());
  probe.OnClick(&probe);
  EXPECT_EQ(probe.Clicks, 1);
  const TMethod handler = GetMethodPropByName(&probe, "OnClick");
  EXPECT_TRUE(handler.Assigned());
  EXPECT_EQ(handler.Data, &probe);

  // A handler of another parameter list is not taken.
  SetMethodPropByName(&probe, "OnKeyPress", handler);
  EXPECT_FALSE(probe.OnKeyPress.Assigned());
}

TEST(PropertiesByName, MissingPropertiesAreHarmless) {
  TProbe probe(nullptr);
  probe.Caption = "kept";
  const TMethod handler = TNotifyEvent(&probe, &TProbe::Clicked).Method();
  // Not published, an empty name, no object at all.
  const std::pair<TObject*, const char*> missing[] = {{&probe, "Hint"}, {&probe, ""}, {nullptr, "Caption"}};
  for (const auto& [object, name] : missing) {
    SCOPED_TRACE(name);
    SetStrPropByName(object, name, "changed");
    SetOrdPropByName(object, name, 5);
    SetMethodPropByName(object, name, handler);
    EXPECT_EQ(GetStrPropByName(object, name), "");
    EXPECT_EQ(GetOrdPropByName(object, name), 0);
    EXPECT_FALSE(GetMethodPropByName(object, name).Assigned());
    EXPECT_FALSE(HasPropByName(object, name));
  }
  // A property of another kind is missing for that routine; a read-only one is not written.
  SetOrdPropByName(&probe, "Caption", 5);
  SetStrPropByName(&probe, "Width", "9");
  SetMethodPropByName(&probe, "Width", handler);
  SetStrPropByName(&probe, "Version", "2.0");
  EXPECT_EQ(GetOrdPropByName(&probe, "Caption"), 0);
  EXPECT_EQ(GetStrPropByName(&probe, "Width"), "");
  EXPECT_FALSE(GetMethodPropByName(&probe, "Caption").Assigned());
  EXPECT_EQ(probe.Caption, "kept");
  EXPECT_EQ(probe.Width, 75);
  EXPECT_EQ(GetStrPropByName(&probe, "Version"), "1.0");
  EXPECT_FALSE(probe.OnClick.Assigned());
}

}  // namespace
