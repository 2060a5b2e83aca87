#include "graphics/rk_core_internal.h"

void RK_resetAttributes(DeviceContext *dc) {
  if (!dc) return;
  DeviceContext *target = RK_resolveContext(dc);
  ContextAttributes &a = target->attributes;
  a = ContextAttributes{};
  a.color = RK_mapColorIndex(target, 15);
  a.backColor = 0;
  a.paletteMapped = 0;
  a.writeMode = 0;
  a.penStyle = 0;
  a.penHeight = 1;
  a.penWidth = 1;
  a.lineStyle = 0xFFFF;
  a.viewport = target->bounds;
  a.clip = target->bounds;
  a.clipOn = 1;
  a.text = TextSettings{0, 0, 2, 1, 1, 1, 1, 0, nullptr};

  DeviceContext *previous = RK_selectContext(dc);
  DeviceContext *m = RK_currentMirror();
  ContextAttributes &applied = m->attributes;
  // Applying the pen turns its size into "pixels minus one".
  applied.penHeight -= 1;
  applied.penWidth -= 1;
  if (m->driver.setColor) m->driver.setColor(m, applied.color);
  if (m->driver.setBackColor) m->driver.setBackColor(m, applied.backColor);
  if (m->driver.setWriteMode) m->driver.setWriteMode(m, applied.writeMode);
  if (m->driver.setClip) m->driver.setClip(m, applied.clip);
  RK_selectContext(previous);
}

void RK_clearCurrent() {
  DeviceContext *dc = RK_currentContext();
  if (!dc) return;
  DeviceContext *m = RK_currentMirror();
  const int writeMode = m->attributes.writeMode;
  const int penStyle = m->attributes.penStyle;
  if (m->driver.setWriteMode) m->driver.setWriteMode(m, 0);
  m->attributes.writeMode = 0;
  m->attributes.penStyle = 0;
  const RK_Rect whole{0, 0, m->maxX + 1, m->maxY + 1};
  if (m->driver.fillRect) {
    m->driver.fillRect(m, whole, m->attributes.backColor);
  } else {
    RK_packedFillRect(m, whole, m->attributes.backColor);
  }
  m->attributes.writeMode = writeMode;
  m->attributes.penStyle = penStyle;
  if (m->driver.setWriteMode) m->driver.setWriteMode(m, writeMode);
}
