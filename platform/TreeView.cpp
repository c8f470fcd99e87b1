#include "TreeView.h"

#include <algorithm>

#include "Colors.h"
#include "TypInfo.h"

// ---------------------------------------------------------------- TTreeNode

TTreeNode::TTreeNode(TTreeNodes* Owner, TTreeNode* Parent, std::string Text)
    : FOwner(Owner), FParent(Parent), FText(std::move(Text)) {}

TTreeNode* TTreeNode::Item(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FChildren[Index].get();
}

int TTreeNode::Index() const {
  const auto& siblings = FOwner->SiblingsOf(FParent);
  for (int i = 0; i < static_cast<int>(siblings.size()); ++i)
    if (siblings[i].get() == this) return i;
  return -1;
}

bool TTreeNode::Selected() const { return FOwner->Owner() && FOwner->Owner()->Selected() == this; }

void TTreeNode::Delete() { FOwner->Delete(this); }

// --------------------------------------------------------------- TTreeNodes

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* Parent) {
  return Parent ? Parent->FChildren : FRoots;
}

namespace {
void Collect(TTreeNode* node, std::vector<TTreeNode*>& out) {
  out.push_back(node);
  for (int i = 0; i < node->Count(); ++i) Collect(node->Item(i), out);
}
}  // namespace

int TTreeNodes::Count() const {
  std::vector<TTreeNode*> all;
  for (const auto& root : FRoots) Collect(root.get(), all);
  return static_cast<int>(all.size());
}

TTreeNode* TTreeNodes::Item(int Index) const {
  std::vector<TTreeNode*> all;
  for (const auto& root : FRoots) Collect(root.get(), all);
  if (Index < 0 || Index >= static_cast<int>(all.size()))
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return all[Index];
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& Text) {
  return AddChild(Sibling ? Sibling->Parent() : nullptr, Text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& Text) {
  if (Parent && Parent->FOwner != this) throw EListError("The node belongs to another tree");
  auto& siblings = SiblingsOf(Parent);
  siblings.push_back(std::make_unique<TTreeNode>(this, Parent, Text));
  return siblings.back().get();
}

// A selection inside the removed subtree goes before the nodes do, so the
// view never points at a freed node.
void TTreeNodes::Forget(TTreeNode* Node) {
  if (!FOwner || !FOwner->FSelected) return;
  for (TTreeNode* n = FOwner->FSelected; n; n = n->Parent())
    if (n == Node) {
      FOwner->SetSelected(nullptr);
      return;
    }
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node || Node->FOwner != this) return;
  Forget(Node);
  auto& siblings = SiblingsOf(Node->Parent());
  siblings.erase(std::find_if(siblings.begin(), siblings.end(), [Node](const auto& n) { return n.get() == Node; }));
}

void TTreeNodes::Clear() {
  if (FOwner && FOwner->FSelected) FOwner->SetSelected(nullptr);
  FRoots.clear();
}

// ---------------------------------------------------------------- TTreeView

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TTreeView::~TTreeView() {
  // Nodes go without change events.
  FSelected = nullptr;
  FItems->FOwner = nullptr;
  FItems.reset();
}

void TTreeView::SetSelected(TTreeNode* Node) {
  if (Node && Node->FOwner != FItems.get()) Node = nullptr;
  if (Node == FSelected) return;
  FSelected = Node;
  OnChange(this, Node);
}

const TClass& TTreeView::StaticClass() {
  static const TClass Class = TClassBuilder<TTreeView>("TTreeView")
                                  .Property("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly).Default(0)
                                  .Property("OnChange", &TTreeView::OnChange, &TTreeView::OnChange)
                                  .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TTreeView::StaticClass()), true);
}  // namespace
