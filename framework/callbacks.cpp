// The application's callback slots; an empty slot is skipped by its caller.
#include "framework/framework_internal.h"

namespace {

struct Callbacks {
  DrawFunc draw;
  GameFunc game;
  KeyDownFunc keyDown;
  KeyUpFunc keyUp;
  MouseDownFunc mouseDown;
  ActivateFunc activate;
  ModeSwitchFunc modeSwitch;
  SuspendAppFunc suspendApp;
};
Callbacks slots{};

}  // namespace

void setDrawFunc(DrawFunc f) {
  slots.draw = f;
}
void setGameFunc(GameFunc f) {
  slots.game = f;
}
void setKeyDownFunc(KeyDownFunc f) {
  slots.keyDown = f;
}
void setKeyUpFunc(KeyUpFunc f) {
  slots.keyUp = f;
}
void setMouseDownFunc(MouseDownFunc f) {
  slots.mouseDown = f;
}
void setActivateFunc(ActivateFunc f) {
  slots.activate = f;
}
void setModeSwitchFunc(ModeSwitchFunc f) {
  slots.modeSwitch = f;
}
void setSuspendAppFunc(SuspendAppFunc f) {
  slots.suspendApp = f;
}

DrawFunc drawFunc() {
  return slots.draw;
}
GameFunc gameFunc() {
  return slots.game;
}
KeyDownFunc keyDownFunc() {
  return slots.keyDown;
}
KeyUpFunc keyUpFunc() {
  return slots.keyUp;
}
MouseDownFunc mouseDownFunc() {
  return slots.mouseDown;
}
ActivateFunc activateFunc() {
  return slots.activate;
}
ModeSwitchFunc modeSwitchFunc() {
  return slots.modeSwitch;
}
SuspendAppFunc suspendAppFunc() {
  return slots.suspendApp;
}
