#pragma once
// TTreeView: a tree of text nodes, each with a caller's data pointer, and
// one selected node.
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"

class TTreeNode;
class TTreeNodes;
class TTreeView;

// Sender, Node (the newly selected node or nullptr).
struct TTVChangedEvent : TEvent<TObject*, TTreeNode*> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TTVChangedEvent";
};

class TTreeNode {
public:
  TTreeNode(TTreeNodes* Owner, TTreeNode* Parent, std::string Text);
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  const std::string& Text() const { return FText; }
  void SetText(const std::string& Value) { FText = Value; }
  // Not owned by the node.
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  TTreeNode* Parent() const { return FParent; }
  int Count() const { return static_cast<int>(FChildren.size()); }
  bool HasChildren() const { return !FChildren.empty(); }
  // EListError for an index out of range.
  TTreeNode* Item(int Index) const;
  // The position among its siblings.
  int Index() const;
  int Level() const { return FParent ? FParent->Level() + 1 : 0; }
  bool Selected() const;
  // Removes the node and its children.
  void Delete();

private:
  friend class TTreeNodes;
  friend class TTreeView;
  TTreeNodes* FOwner;
  TTreeNode* FParent;
  std::string FText;
  void* FData = nullptr;
  std::vector<std::unique_ptr<TTreeNode>> FChildren;
};

class TTreeNodes {
public:
  explicit TTreeNodes(TTreeView* Owner) : FOwner(Owner) {}
  TTreeNodes(const TTreeNodes&) = delete;
  TTreeNodes& operator=(const TTreeNodes&) = delete;

  TTreeView* Owner() const { return FOwner; }
  // Every node, depth first.
  int Count() const;
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
  // A last sibling of Sibling (a root when Sibling is nullptr).
  TTreeNode* Add(TTreeNode* Sibling, const std::string& Text);
  // A last child of Parent (a root when Parent is nullptr).
  TTreeNode* AddChild(TTreeNode* Parent, const std::string& Text);
  void Delete(TTreeNode* Node);
  void Clear();

private:
  friend class TTreeNode;
  friend class TTreeView;
  std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* Parent);
  void Forget(TTreeNode* Node);

  TTreeView* FOwner;
  std::vector<std::unique_ptr<TTreeNode>> FRoots;
};

class TTreeView : public TWinControl {
  KESR_CLASS(TTreeView, TWinControl)
public:
  explicit TTreeView(TComponent* AOwner);
  ~TTreeView() override;

  TTreeNodes* Items() const { return FItems.get(); }
  TTreeNode* Selected() const { return FSelected; }
  // Raises OnChange when the selection changes; a node of another tree is
  // taken as nullptr.
  void SetSelected(TTreeNode* Node);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }

  TTVChangedEvent OnChange;

private:
  friend class TTreeNodes;
  std::unique_ptr<TTreeNodes> FItems;
  TTreeNode* FSelected = nullptr;
  bool FReadOnly = false;
};
