#pragma once
// TExtPageControl: a page control whose tabs the program draws (owner-drawn
// fixed tabs): the selected tab in the active caption colours and bold, the
// others in the inactive caption colours, unless OnDrawTab draws them.
#include "ComCtrls.h"

class TCanvas;

class TExtPageControl : public TPageControl {
  KESR_CLASS(TExtPageControl, TPageControl)
public:
  // The window style bit of owner-drawn fixed tabs.
  static constexpr unsigned TCS_OWNERDRAWFIXED = 0x2000;

  explicit TExtPageControl(TComponent* AOwner);

  unsigned TabStyle() const { return TCS_OWNERDRAWFIXED; }
  // Draws one tab: TabIndex counts the visible tabs from 0, so the caption
  // is that of the TabIndex-th page whose tab is visible.
  virtual void DrawTab(TCanvas& Canvas, int TabIndex, const TRect& Rect, bool Active);
  // Draws every visible tab side by side into Canvas, as the window does.
  void PaintTabs(TCanvas& Canvas);
  // The page of the TabIndex-th visible tab, or nullptr.
  TTabSheet* PageOfTab(int TabIndex) const;
};
