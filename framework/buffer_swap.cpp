// Showing a finished frame, and the palette wrappers that keep the display
// and the back buffer in step.
#include "framework/framework_internal.h"

void swapBuffers(int wait) {
  FrameworkState &s = frameworkState();
  if (!s.displayDC) return;
  if (s.backBufferDC) {
    if (s.stretch != 0)
      RK_stretchArea(s.displayDC, s.backBufferDC, 0, 0, s.backWidth, s.backHeight, 0, 0, s.displayWidth,
                     s.displayHeight);
    else
      RK_copyArea(s.displayDC, s.backBufferDC, 0, 0, s.backWidth, s.backHeight, 0, 0, 0);
  }
  const int lastPage = RK_lastPage(s.displayDC);
  if (lastPage > 0) {
    s.visualPage = s.activePage;
    s.activePage = (s.activePage + 1) % (lastPage + 1);
    RK_drawToPage(s.displayDC, s.activePage);
    RK_showPage(s.displayDC, s.visualPage, wait);
  } else {
    // A copy into a single page reaches the screen only when the page is
    // shown again; the pages themselves stay as they are.
    RK_showPage(s.displayDC, RK_shownPage(s.displayDC), wait);
  }
}

void setFrameworkPalette(const PaletteEntry *entries, int count, int start) {
  FrameworkState &s = frameworkState();
  if (s.displayDC) RK_setPaletteRange(s.displayDC, entries, count, start);
  if (s.backBufferDC) RK_setPaletteRange(s.backBufferDC, entries, count, start);
}

void realizeFrameworkPalette(int count, int start, int wait) {
  FrameworkState &s = frameworkState();
  if (s.displayDC) RK_realizePaletteRange(s.displayDC, count, start, wait);
  if (s.backBufferDC) RK_realizePaletteRange(s.backBufferDC, count, start, wait);
}
