#include "game/shell/choice/choice_screen.h"

#include <algorithm>
#include <cstring>

#include "framework/framework.h"
#include "game/shell/choice/choice_colours.h"
#include "game/shell/choice/screen_text.h"
#include "game/shell/game_state.h"
#include "graphics/rasterkit.h"

namespace {

constexpr int LineHeight = 11;  // the font's 9 rows and two of leading

// Where things go: the full layout at 640x480, a compact one at 320x240
// where each row keeps only the name, best result and, for the chosen
// course, its line at the bottom.
struct Layout {
  bool compact;
  int titleY, firstRowY, rowHeight, rowLeft, rowRight, pictureX, pictureY, textX, footerY;
};

Layout layoutFor(int width, int height) {
  if (width < 640) return Layout{true, 2, 14, 30, 2, width - 2, 4, 2, 62, height - 46};
  return Layout{false, 8, 28, 66, 8, width - 8, 14, 4, 146, height - 48};
}

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * height, 0) {}
  void fill(int left, int top, int right, int bottom, uint8_t colour) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    for (int y = top; y < bottom; ++y)
      std::memset(&pixels_[size_t(y) * width_ + left], colour, size_t(std::max(0, right - left)));
  }
  void put(int x, int y, const CoursePicture &picture) {
    for (int row = 0; row < picture.height; ++row) {
      if (y + row < 0 || y + row >= height_) continue;
      for (int col = 0; col < picture.width; ++col) {
        if (x + col < 0 || x + col >= width_) continue;
        pixels_[size_t(y + row) * width_ + x + col] = picture.pixels[size_t(row) * picture.width + col];
      }
    }
  }
  void show(DeviceContext *dc) {
    Bitmap bitmap{width_, height_, 8, width_, pixels_.data(), nullptr, nullptr};
    RK_drawBitmapAt(dc, 0, 0, &bitmap, 0);
  }

 private:
  int width_, height_;
  std::vector<uint8_t> pixels_;
};

void text(int x, int y, uint8_t colour, const std::string &utf8, int width) {
  RK_setDrawColor(colour);
  RK_drawTextAt(x, y, fitToWidth(asciiForScreen(utf8), width).c_str());
}

uint8_t medalColour(Medal medal) {
  switch (medal) {
    case Medal::Gold:
      return ChoiceColour::Gold;
    case Medal::Silver:
      return ChoiceColour::Silver;
    case Medal::Bronze:
      return ChoiceColour::Bronze;
    case Medal::None:
      break;
  }
  return ChoiceColour::Text;
}

std::string livesLost(int n) {
  return std::to_string(n) + " Leben verloren";
}

std::string describePar(const CoursePar &par) {
  if (par.gold < 1) return "";
  return "Gold bis " + std::to_string(par.gold) + ", Silber bis " + std::to_string(par.silver) +
         ", Bronze bis " + std::to_string(par.bronze) + " Durchgänge";
}

}  // namespace

int choicePictureWidth(int screenWidth) {
  return screenWidth < 640 ? 54 : 124;
}
int choicePictureHeight(int screenWidth) {
  return screenWidth < 640 ? 26 : 58;
}

std::string describeBest(const CourseResult &best, const CoursePar &par) {
  std::string text = "Bestleistung: " + describePasses(best.passes) + ", " + livesLost(best.livesLost);
  const Medal medal = medalFor(best.passes, par);
  if (medal != Medal::None) text += std::string(" – ") + medalName(medal);
  return text;
}

void drawChoiceScreen(const ChoiceView &view) {
  const int width = gameScreenWidth(), height = gameScreenHeight();
  const Layout l = layoutFor(width, height);
  const std::vector<ChoiceEntry> &entries = *view.entries;

  Canvas canvas(width, height);
  for (size_t i = 0; i < entries.size(); ++i) {
    const int y = l.firstRowY + static_cast<int>(i) * l.rowHeight;
    if (static_cast<int>(i) == view.selected)
      canvas.fill(l.rowLeft, y, l.rowRight, y + l.rowHeight - 2, ChoiceColour::Bar);
    const CoursePicture &picture = entries[i].picture;
    canvas.fill(l.pictureX - 1, y + l.pictureY - 1, l.pictureX + picture.width + 1,
                y + l.pictureY + picture.height + 1, ChoiceColour::Frame);
    canvas.put(l.pictureX, y + l.pictureY, picture);
  }
  DeviceContext *dc = *gameDrawSlot();
  canvas.show(dc);

  const int textWidth = l.rowRight - l.textX - 4;
  text(l.rowLeft + 4, l.titleY, ChoiceColour::Title, "Kelvaro – Kurs wählen", width);
  for (size_t i = 0; i < entries.size(); ++i) {
    const ChoiceEntry &e = entries[i];
    const int y = l.firstRowY + static_cast<int>(i) * l.rowHeight;
    const CourseResult *best = i < view.best.size() ? view.best[i] : nullptr;
    const Medal medal = best ? medalFor(best->passes, e.par) : Medal::None;
    if (l.compact) {
      std::string line = e.course.name;
      if (best) {
        line += "  " + describePasses(best->passes);
        if (medal != Medal::None) line += std::string(" ") + medalName(medal);
      }
      text(l.textX, y + 4, medal != Medal::None ? medalColour(medal) : ChoiceColour::Text, line, textWidth);
      text(l.textX, y + 4 + LineHeight, ChoiceColour::Faint,
           best ? livesLost(best->livesLost) : "noch nicht gewonnen", textWidth);
      continue;
    }
    text(l.textX, y + 4, ChoiceColour::Text, e.course.name, textWidth);
    text(l.textX, y + 4 + LineHeight, ChoiceColour::Faint, e.course.description, textWidth);
    text(l.textX, y + 4 + 2 * LineHeight, best ? medalColour(medal) : ChoiceColour::Text,
         best ? describeBest(*best, e.par) : "Noch nicht gewonnen", textWidth);
    text(l.textX, y + 4 + 3 * LineHeight, ChoiceColour::Faint, describePar(e.par), textWidth);
  }

  int y = l.footerY;
  const int footerWidth = width - 2 * (l.rowLeft + 4);
  if (l.compact && view.selected >= 0 && view.selected < static_cast<int>(entries.size())) {
    text(l.rowLeft + 4, y, ChoiceColour::Faint, entries[size_t(view.selected)].course.description,
         footerWidth);
    y += LineHeight;
  }
  text(l.rowLeft + 4, y, ChoiceColour::Text,
       l.compact
           ? "Hoch/Runter, Rechts: spielen, Links: ansehen, Esc: Ende"
           : "Hoch/Runter: wählen   Rechts oder Enter: spielen   Links: beste Fahrt ansehen   Esc: beenden",
       footerWidth);
  y += LineHeight;
  for (const std::string &line : wrapToWidth(asciiForScreen(view.message), footerWidth, l.compact ? 2 : 2)) {
    RK_setDrawColor(ChoiceColour::Message);
    RK_drawTextAt(l.rowLeft + 4, y, line.c_str());
    y += LineHeight;
  }
  swapBuffers(2);
}
