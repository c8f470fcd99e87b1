#include <gtest/gtest.h>

#include "Component.h"
#include "TestComponents.h"

namespace {

// Records what it hears and can free another component when it dies.
class TWatcher : public TComponent {
public:
  explicit TWatcher(TComponent* AOwner) : TComponent(AOwner) {}
  ~TWatcher() override { delete Victim; }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    (Operation == opInsert ? Inserted : Removed).push_back(AComponent);
    if (Operation == opRemove && AComponent == Victim) Victim = nullptr;
    if (Operation == opRemove && AComponent == Watched) Watched = nullptr;
  }
  TComponent* Victim = nullptr;   // freed by this component's destructor
  TComponent* Watched = nullptr;  // a component elsewhere, held through FreeNotification
  std::vector<TComponent*> Inserted;
  std::vector<TComponent*> Removed;
};

TEST(ComponentTest, OwnerListsInOrderAndFindsByNameIgnoringCase) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("btnOk");
  b->SetName("edPrintDate");
  ASSERT_EQ(owner.ComponentCount(), 2);
  EXPECT_EQ(owner.Components(0), a);
  EXPECT_EQ(owner.Components(1), b);
  EXPECT_EQ(b->ComponentIndex(), 1);
  EXPECT_EQ(owner.FindComponent("BTNOK"), a);
  EXPECT_EQ(owner.FindComponent("missing"), nullptr);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  EXPECT_THROW(owner.Components(2), EListError);
  EXPECT_THROW(owner.Components(-1), EListError);
}

TEST(ComponentTest, NamesMustBeIdentifiersAndUniqueAmongSiblings) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Panel1");
  struct TCase {
    const char* Name;
    const char* Message;
  } cases[] = {
      {"1abc", "'1abc' is not a valid component name"},
      {"a b", "'a b' is not a valid component name"},
      {"名字", "'名字' is not a valid component name"},
      {"PANEL1", "A component named PANEL1 already exists"},
  };
  for (const TCase& c : cases) {
    try {
      b->SetName(c.Name);
      ADD_FAILURE() << c.Name;
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
    EXPECT_EQ(b->Name(), "");
  }
  a->SetName("PANEL1");  // its own name in another case is fine
  EXPECT_EQ(a->Name(), "PANEL1");
  b->SetName("_x1");
  EXPECT_EQ(b->Name(), "_x1");

  TComponent other(nullptr);
  auto* c = new TComponent(&other);
  c->SetName("Panel1");
  EXPECT_THROW(owner.InsertComponent(c), EComponentError);
  EXPECT_EQ(c->Owner(), &other);
}

TEST(ComponentTest, InsertAndRemoveMoveOwnershipAndNotify) {
  TWatcher owner(nullptr);
  TComponent other(nullptr);
  auto* c = new TComponent(&other);
  owner.InsertComponent(c);
  EXPECT_EQ(c->Owner(), &owner);
  EXPECT_EQ(other.ComponentCount(), 0);
  EXPECT_EQ(owner.Inserted, std::vector<TComponent*>{c});
  owner.RemoveComponent(c);
  EXPECT_EQ(c->Owner(), nullptr);
  EXPECT_EQ(owner.Removed, std::vector<TComponent*>{c});
  delete c;
}

TEST(ComponentTest, DeletingAnOwnedComponentTellsItsSiblings) {
  TComponent owner(nullptr);
  auto* watcher = new TWatcher(&owner);
  auto* gone = new TComponent(&owner);
  delete gone;
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(watcher->Removed, std::vector<TComponent*>{gone});
}

TEST(ComponentTest, FreeNotificationClearsReferencesEitherWay) {
  auto* holder = new TWatcher(nullptr);
  auto* target = new TComponent(nullptr);
  holder->Watched = target;
  target->FreeNotification(holder);
  delete target;
  EXPECT_EQ(holder->Watched, nullptr);

  // The holder dies first: the target must not call it later.
  auto* target2 = new TComponent(nullptr);
  target2->FreeNotification(holder);
  delete holder;
  delete target2;

  // A removed notification is not sent.
  TWatcher h(nullptr);
  auto* t = new TComponent(nullptr);
  h.Watched = t;
  t->FreeNotification(&h);
  t->RemoveFreeNotification(&h);
  delete t;
  EXPECT_NE(h.Watched, nullptr);
}

TEST(ComponentTest, OwnerDestroysChildrenLastFirstEvenWhenOneFreesASibling) {
  std::vector<std::string> order;
  struct TLogged : TWatcher {
    TLogged(TComponent* o, std::vector<std::string>& log) : TWatcher(o), Log(log) {}
    ~TLogged() override { Log.push_back(Name()); }
    std::vector<std::string>& Log;
  };
  auto* owner = new TComponent(nullptr);
  auto* first = new TLogged(owner, order);
  auto* second = new TLogged(owner, order);
  auto* killer = new TLogged(owner, order);
  first->SetName("first");
  second->SetName("second");
  killer->SetName("killer");
  killer->Victim = first;  // frees a sibling that the owner has not reached yet
  auto* early = new TLogged(owner, order);
  early->SetName("early");
  second->Victim = early;
  delete early;  // the sibling broadcast clears second's pointer: no double free below
  EXPECT_EQ(second->Victim, nullptr);
  auto* outsider = new TWatcher(nullptr);
  outsider->Watched = second;
  second->FreeNotification(outsider);
  delete owner;
  EXPECT_EQ(order, (std::vector<std::string>{"early", "killer", "first", "second"}));
  EXPECT_EQ(outsider->Watched, nullptr);
  delete outsider;
}

TEST(ComponentTest, PublishedFieldsFollowTheComponentOfThatName) {
  TTestForm form(nullptr);
  auto* button = new TTestControl(&form);
  EXPECT_EQ(form.btnOk, nullptr);
  button->SetName("btnOk");
  EXPECT_EQ(form.btnOk, button);
  button->SetName("btnOther");
  EXPECT_EQ(form.btnOk, nullptr);
  button->SetName("btnOk");
  delete button;
  EXPECT_EQ(form.btnOk, nullptr);
  // A component of another class does not fill the field.
  auto* timer = new TTestTimer(&form);
  timer->SetName("btnOk");
  EXPECT_EQ(form.btnOk, nullptr);
}

TEST(ComponentTest, StateFlagsAndDesigningReachOwnedComponents) {
  TComponent owner(nullptr);
  auto* child = new TComponent(&owner);
  owner.SetDesigning(true);
  EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
  auto* late = new TComponent(&owner);
  EXPECT_TRUE(late->ComponentState().Contains(csDesigning));
  owner.SetDesigning(false);
  EXPECT_FALSE(child->ComponentState().Contains(csDesigning));
  owner.SetComponentStateFlag(csLoading, true);
  owner.Loaded();
  EXPECT_FALSE(owner.ComponentState().Contains(csLoading));
}

TEST(ComponentTest, ClassRegistryFindsByNameAndReportsTheChain) {
  RegisterTestClasses();
  EXPECT_EQ(&FindClass("ttestcontrol"), &TTestControl::StaticClass());
  EXPECT_EQ(GetClass("TNoSuchClass"), nullptr);
  try {
    FindClass("TNoSuchClass");
    ADD_FAILURE();
  } catch (const EClassNotFound& e) {
    EXPECT_STREQ(e.what(), "Class TNoSuchClass not found");
  }
  TTestForm form(nullptr);
  EXPECT_EQ(form.ClassName(), "TTestForm");
  EXPECT_EQ(form.ClassType().ClassParent(), &TTestControl::StaticClass());
  EXPECT_TRUE(form.InheritsFrom(TComponent::StaticClass()));
  EXPECT_TRUE(form.ClassType().InheritsFrom("TPersistent"));
  EXPECT_FALSE(TTestControl::StaticClass().InheritsFrom(TTestForm::StaticClass()));

  std::unique_ptr<TObject> made(TTestTimer::StaticClass().CreateInstance(nullptr));
  EXPECT_EQ(made->ClassName(), "TTestTimer");
  auto* owned = TTestTimer::StaticClass().CreateInstance(&form);
  EXPECT_EQ(static_cast<TComponent*>(owned)->Owner(), &form);
  EXPECT_THROW(TCollection::StaticClass().CreateInstance(nullptr), EClassNotFound);

  // Another class under a registered name is refused; unregistering removes it.
  static const TClass impostor("TTestTimer", &TComponent::StaticClass(), nullptr, {}, {}, {});
  EXPECT_THROW(RegisterClass(impostor), EFilerError);
  UnRegisterClass(TTestTimer::StaticClass());
  EXPECT_EQ(GetClass("TTestTimer"), nullptr);
  {
    TClassRegistration loaded{&TTestTimer::StaticClass()};  // as a loaded library holds it
    EXPECT_EQ(GetClass("TTestTimer"), &TTestTimer::StaticClass());
  }
  EXPECT_EQ(GetClass("TTestTimer"), nullptr);
  RegisterClass(TTestTimer::StaticClass());
}

TEST(ComponentTest, CollectionsOwnOrderAndCopyTheirItems) {
  TTestControl owner(nullptr);
  TCollection& columns = *owner.Columns();
  auto* a = static_cast<TTestItem*>(columns.Add());
  auto* b = static_cast<TTestItem*>(columns.Add());
  EXPECT_EQ(b->Index(), 1);
  EXPECT_NE(a->ID(), b->ID());
  b->SetIndex(0);
  EXPECT_EQ(columns.Items(0), b);
  EXPECT_EQ(columns.FindItemID(a->ID()), a);
  delete a;  // leaves its collection
  ASSERT_EQ(columns.Count(), 1);
  columns.Delete(0);
  EXPECT_EQ(columns.Count(), 0);
  EXPECT_THROW(columns.Delete(0), EListError);

  TTestControl source(nullptr);
  auto* item = static_cast<TTestItem*>(source.Columns()->Add());
  item->Width = 7;
  item->Text = "金额";
  columns.Add();
  columns.Assign(source.Columns());
  ASSERT_EQ(columns.Count(), 1);
  EXPECT_EQ(static_cast<TTestItem*>(columns.Items(0))->Width, 7);
  EXPECT_EQ(static_cast<TTestItem*>(columns.Items(0))->Text, "金额");
  TStringList other;
  EXPECT_THROW(columns.Assign(&other), EConvertError);
}

TEST(ComponentTest, AssignFallsBackToAClearError) {
  TFont font;
  TTestTimer timer(nullptr);
  try {
    font.Assign(&timer);
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TTestTimer to a TFont");
  }
  EXPECT_THROW(font.Assign(nullptr), EConvertError);
  TStringList a, b;
  a.Add("x");
  TPersistent* source = &a;
  b.Assign(source);
  EXPECT_EQ(b.Text(), "x\r\n");
}

}  // namespace
