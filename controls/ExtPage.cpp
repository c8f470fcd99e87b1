#include "ExtPage.h"

#include "Canvas.h"
#include "Colors.h"
#include "Font.h"
#include "TypInfo.h"

TExtPageControl::TExtPageControl(TComponent* AOwner) : TPageControl(AOwner) { SetOwnerDraw(true); }

TTabSheet* TExtPageControl::PageOfTab(int TabIndex) const {
  int visible = -1;
  for (int i = 0; i < PageCount(); ++i)
    if (Pages(i)->TabVisible() && ++visible == TabIndex) return Pages(i);
  return nullptr;
}

void TExtPageControl::DrawTab(TCanvas& Canvas, int TabIndex, const TRect& Rect, bool Active) {
  if (OnDrawTab.Assigned()) {
    OnDrawTab(this, TabIndex, Rect, Active);
    return;
  }
  TRect r = Rect;
  TFontStyles style = Canvas.Font()->Style();
  if (Active) {
    r = ::Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
    Canvas.Font()->SetColor(clCaptionText);
    style.Include(fsBold);
    Canvas.Brush().SetColor(clActiveCaption);
  } else {
    Canvas.Font()->SetColor(clInactiveCaptionText);
    style.Exclude(fsBold);
    Canvas.Brush().SetColor(clInactiveCaption);
  }
  Canvas.Font()->SetStyle(style);
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.FillRect(r);
  if (!Active) r.Top += 2;
  if (TTabSheet* page = PageOfTab(TabIndex)) {
    Canvas.Brush().SetStyle(bsClear);
    Canvas.DrawText(page->Caption(), r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
}

void TExtPageControl::PaintTabs(TCanvas& Canvas) {
  constexpr int TabWidth = 80;
  constexpr int TabHeight = 20;
  int tab = 0;
  for (int i = 0; i < PageCount(); ++i) {
    TTabSheet* page = Pages(i);
    if (!page->TabVisible()) continue;
    DrawTab(Canvas, tab, Bounds(tab * TabWidth, 0, TabWidth, TabHeight), page == ActivePage());
    ++tab;
  }
}

const TClass& TExtPageControl::StaticClass() {
  static const TClass Class = TClassBuilder<TExtPageControl>("TExtPageControl").Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TExtPageControl::StaticClass()), true);
}  // namespace
