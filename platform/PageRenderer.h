#pragma once
// Draws a stored page into a rectangle of a canvas at whatever resolution the
// rectangle gives: coordinates and font heights scale with it, and texts keep
// the line breaks the layout chose.
#include <memory>

#include "Bitmap.h"
#include "PageStore.h"

class TCanvas;

// Dest receives the whole paper; the canvas's clipping is reset afterwards.
void DrawPage(const TPageContent& Page, TCanvas& Canvas, const TRect& Dest);

// The page on a white bitmap at Dpi dots per inch (the paper's size there).
std::unique_ptr<TBitmap> RenderPage(const TPageContent& Page, int Dpi, TPixelFormat Format = pf24bit);
