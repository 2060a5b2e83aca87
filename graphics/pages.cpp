// Page switching of full-screen display contexts. A windowed context has
// one page; showing it presents that page to its window.
#include "graphics/rk_core_internal.h"

namespace {
bool validPage(const DeviceContext *dc, int page) {
  return page >= 0 && page <= dc->maxPage;
}
}  // namespace

int RK_drawnPage(const DeviceContext *dc) {
  if (!RK_isDisplayContext(dc)) return 0;
  return RK_resolveContext(const_cast<DeviceContext *>(dc))->activePageNo;
}

int RK_shownPage(const DeviceContext *dc) {
  if (!RK_isDisplayContext(dc)) return 0;
  return RK_resolveContext(const_cast<DeviceContext *>(dc))->visualPageNo;
}

void RK_drawToPage(DeviceContext *dc, int page) {
  if (!RK_isDisplayContext(dc)) return;
  dc = RK_resolveContext(dc);
  if (!validPage(dc, page) || !dc->driver.setActivePage) return;
  dc->driver.setActivePage(dc, page);
}

void RK_showPage(DeviceContext *dc, int page, int waitVRT) {
  if (!dc) return;
  if (dc->kind == RK_KindWindowed) {
    dc = RK_resolveContext(dc);
    if (dc->driver.setVisualPage) dc->driver.setVisualPage(dc, 0, waitVRT);
    return;
  }
  if (!RK_isDisplayContext(dc)) return;
  dc = RK_resolveContext(dc);
  // The library never draws the mouse pointer itself here: the back end's
  // cursor needs no save-under on the page about to be shown.
  if (!validPage(dc, page) || !dc->driver.setVisualPage) return;
  dc->driver.setVisualPage(dc, page, waitVRT);
}

void RK_flipPages(DeviceContext *dc, int waitVRT) {
  if (!RK_isDisplayContext(dc)) return;
  const DeviceContext *r = RK_resolveContext(dc);
  const int active = (r->activePageNo + 1) % 2;
  const int visual = (r->visualPageNo + 1) % 2;
  RK_drawToPage(dc, active);
  RK_showPage(dc, visual, waitVRT);
}

void RK_beginSurfaceAccess() {
  if (!RK_currentContext()) return;
  DeviceContext *m = RK_currentMirror();
  if (m->accessDepth == -1 && m->driver.beginAccess) m->driver.beginAccess(m);
  ++m->accessDepth;
}

void RK_endSurfaceAccess() {
  if (!RK_currentContext()) return;
  DeviceContext *m = RK_currentMirror();
  // An unmatched end leaves an unlocked surface alone.
  if (m->accessDepth < 0) return;
  if (m->accessDepth == 0 && m->driver.endAccess) m->driver.endAccess(m);
  --m->accessDepth;
}
