#include "game/shell/game_frame.h"

#include <cstdio>

#include "game/render/renderer.h"
#include "game/scene/scene.h"
#include "game/shell/game_state.h"
#include "game/shell/palettes.h"
#include "game/shell/sound_cues.h"
#include "game/sim/ball.h"
#include "game/sim/camera.h"
#include "graphics/rasterkit.h"
#include "graphics/rk_platform.h"

namespace {

DeviceContext *drawTarget() {
  return *gameDrawSlot();
}

// trunc toward zero that stays defined for values no int can hold.
int truncToInt(double v) {
  if (!(v > -2147483648.0)) return v != v ? 0 : -2147483647 - 1;
  if (!(v < 2147483648.0)) return 2147483647;
  return static_cast<int>(v);
}

void drawBitmapIfLoaded(int x, int y, const Bitmap *bmp) {
  if (bmp) RK_drawBitmapAt(drawTarget(), x, y, bmp, 0);
}

void drawPlayingFrame() {
  const uint64_t t0 = gameClock();
  drawBitmapIfLoaded(truncToInt(ball.position.x * -400.0), 0, resources.background);
  collideBall();
  if (!(ball.position.z >= 0.0)) loseLife();
  placeCamera();
  resetDepthBuffer();
  RK_setDrawColor(13);
  updateWorld();
  for (int i = 0; i < game.lives; ++i)
    drawBitmapIfLoaded(68 * i, gameScreenHeight() - 55, resources.lifeIcon);
  ++game.frameCount;
  const uint64_t t1 = gameClock();
  if (game.frameCount % 2 != 0) {
    const double seconds = static_cast<double>(t1 - t0) * 0.000001;
    std::snprintf(game.fpsText, sizeof game.fpsText, "%f fps\n", 1.0 / seconds);
  }
  RK_setDrawColor(127);
  RK_drawTextAt(0, 0, game.fpsText);
}

}  // namespace

uint64_t gameClock() {
  return RK_microseconds();
}

void showMenuItem(int selection) {
  if (selection < 0 || selection > 1) return;
  drawBitmapIfLoaded(0, 0, resources.menuItems[selection]);
}

void drawFrame() {
  if (game.menuMode == 1) {
    showMenuItem(game.menuSelection);
  } else {
    drawPlayingFrame();
  }
  swapBuffers(2);
  listenAfterPass();
}

void loseLife() {
  if (game.lives == 0) {
    game.menuMode = 1;
    setMenuPalette();
    game.lives = 4;
  }
  ball.position = scene.initialBall;
  ball.speed = 0.0;
  ball.heading = 0.0;
  ball.velocityX = 0.0;
  ball.velocityY = 0.0;
  game.lives = game.lives - 1;
}

int onModeSwitch(const VideoMode &, int) {
  loadResources();
  return 0;
}

int onSuspendApp(DeviceContext *, int) {
  return 1;
}
