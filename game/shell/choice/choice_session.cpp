#include "game/shell/choice/choice_session.h"

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/framework.h"
#include "framework/host.h"
#include "game/scene/fatal_message.h"
#include "game/scene/scene_loader.h"
#include "game/shell/choice/choice_keys.h"
#include "game/shell/choice/choice_screen.h"
#include "game/shell/choice/run_keys.h"
#include "game/shell/data_directory.h"
#include "game/shell/game_frame.h"
#include "game/shell/game_state.h"
#include "game/shell/input.h"
#include "game/shell/palettes.h"
#include "game/shell/records/atomic_file.h"
#include "game/shell/records/course_hash.h"
#include "game/shell/records/record_store.h"
#include "game/shell/records/replay_file.h"
#include "game/shell/sound_cues.h"
#include "game/sound/sound_control.h"
#include "game/sim/ball.h"
#include "graphics/rasterkit.h"

#ifndef KELVARO_VERSION
#define KELVARO_VERSION "unknown"
#endif

namespace {

constexpr const char *WinText = "Sie haben gewonnen";
// A watched run that has not reached the goal this long after its last
// recorded pass has gone astray; the choice comes back.
constexpr long WatchGrace = 180;

enum class Phase { Choosing, Playing, Watching };

struct Session {
  CoursePack pack;
  std::vector<ChoiceEntry> entries;
  RecordStore records;
  int selected = 0;
  Phase phase = Phase::Choosing;
  std::string message;
  ChoiceKeys keys;
  int pending = -1;  // the course taken, started once its key is let go
  bool pendingWatch = false;

  int course = -1;
  std::string courseHash;
  long nextPass = 0;
  long playingPasses = 0;
  int livesLost = 0;
  KeyRecorder recorder;
  KeyPlayer player;
  long watchEnd = 0;
  bool backToChoice = false;
};
Session session;

// What ends a course inside the frame: the game's end messages come here
// instead of ending the program.
struct CourseEnded {
  std::string text;
};

[[noreturn]] void endCourseInstead(int, const char *, const char *text) {
  throw CourseEnded{text ? text : ""};
}

void say(const std::string &text) {
  std::fprintf(stderr, "Kelvaro: %s\n", text.c_str());
  std::fflush(stderr);
  session.message = text;
}

void noteQuitItem(int) {
  session.backToChoice = true;
}

void loadChoiceFont() {
  Font *font = RK_readFontFile("little.fnt");
  if (!font) RK_reportFatal((std::string(RK_errorText(RK_lastError())) + ": little.fnt").c_str());
  RK_selectFont(font);
  RK_freeFont(resources.font);
  resources.font = font;
}

void showChoice() {
  ChoiceView view{&session.entries, session.selected, {}, session.message};
  for (const ChoiceEntry &e : session.entries) view.best.push_back(session.records.best(e.course.name));
  drawChoiceScreen(view);
}

void returnToChoice() {
  KeyPlayer::uninstall();
  session.phase = Phase::Choosing;
  session.backToChoice = false;
  session.pending = -1;
  session.keys.settle();
  setMenuPalette();
}

bool loadReplayFor(const ChoiceEntry &e, std::vector<ReplayKey> &keys, long &passes) {
  const std::string file = session.records.replayFile(e.course.name);
  std::string text;
  ReplayHeader header;
  if (file.empty() || !readWholeFile(file, text)) {
    say("Für \"" + e.course.name + "\" gibt es noch keine aufgezeichnete Fahrt.");
    return false;
  }
  if (parseReplay(text, header, keys) != ReplayReading::Read || header.course != e.course.name) {
    say("Die Aufzeichnung \"" + file + "\" ist nicht lesbar.");
    return false;
  }
  if (header.courseHash != hashCourseFiles(e.folder)) {
    say("Die Aufzeichnung passt nicht zum Kurs \"" + e.course.name +
        "\": seine Dateien haben sich seitdem geändert.");
    return false;
  }
  passes = header.passes;
  return true;
}

void startCourse(int index, bool watch) {
  const ChoiceEntry &e = session.entries[size_t(index)];
  std::vector<ReplayKey> replay;
  long replayPasses = 0;
  if (watch && !loadReplayFor(e, replay, replayPasses)) return;
  if (chdir(e.folder.c_str()) != 0) {
    say("Der Kurs \"" + e.course.name + "\" kann nicht geöffnet werden.");
    return;
  }
  SceneLoadFailure failure;
  if (!LoadSceneOrReturn("inp1.txt", &failure)) {
    say("Der Kurs \"" + e.course.name + "\" ist beschädigt: " + failure.caption + ": " + failure.text);
    return;
  }
  resetSimulation();
  setLifeLostHandler(loseLife);
  resetGameState();
  loadResources();
  resetSoundCues();

  session.course = index;
  session.courseHash = hashCourseFiles(e.folder);
  session.nextPass = 0;
  session.playingPasses = 0;
  session.livesLost = 0;
  session.backToChoice = false;
  session.message.clear();
  if (watch) {
    session.phase = Phase::Watching;
    session.watchEnd = replayPasses + WatchGrace;
    session.player.start(std::move(replay));
    session.player.install();
  } else {
    session.phase = Phase::Playing;
    session.recorder.start();
  }
}

void finishWin() {
  const ChoiceEntry &e = session.entries[size_t(session.course)];
  if (session.phase == Phase::Watching) {
    session.message = "Die beste Fahrt auf \"" + e.course.name + "\" ist zu Ende.";
    return;
  }
  const CourseResult result{session.playingPasses, session.livesLost};
  ReplayHeader header{e.course.name,      session.courseHash, gameScreenWidth(),
                      gameScreenHeight(), programVersion(),   session.nextPass};
  const std::string replay = formatReplay(header, session.recorder.keys());
  const CourseResult *old = session.records.best(e.course.name);
  const bool hadOne = old != nullptr;
  const CourseResult previous = hadOne ? *old : CourseResult{};
  session.message.clear();
  std::string text;
  if (session.records.offer(e.course.name, result, replay)) {
    const Medal medal = medalFor(result.passes, e.par);
    text = std::string(hadOne ? "Neue Bestleistung" : "Erster Sieg") + " auf \"" + e.course.name +
           "\": " + describePasses(result.passes) + ", " + std::to_string(result.livesLost) +
           " Leben verloren";
    text += medal == Medal::None ? std::string(".") : std::string(" – Medaille: ") + medalName(medal) + "!";
  } else {
    text = "Gewonnen in " + describePasses(result.passes) + "; die Bestleistung bleibt bei " +
           describePasses(previous.passes) + ".";
  }
  // A word of the store (the record could not be written) follows.
  say(session.message.empty() ? text : text + " " + session.message);
}

void sessionGame() {
  if (session.phase == Phase::Choosing) {
    if (session.pending >= 0) {
      if (!session.keys.allReleased()) return;
      const int course = session.pending;
      session.pending = -1;
      startCourse(course, session.pendingWatch);
      return;
    }
    const int count = static_cast<int>(session.entries.size());
    const ChoiceKey pressed = session.keys.poll();
    if (count == 0) return;
    switch (pressed) {
      case ChoiceKey::Up:
        session.selected = (session.selected + count - 1) % count;
        cueListMove();
        break;
      case ChoiceKey::Down:
        session.selected = (session.selected + 1) % count;
        cueListMove();
        break;
      case ChoiceKey::Take:
      case ChoiceKey::Watch:
        // The course starts once the key is let go, so that it does not
        // reach the course's own menu (where Right would quit).
        session.pendingWatch = pressed == ChoiceKey::Watch;
        session.pending = session.selected;
        cueListTake();
        break;
      case ChoiceKey::None:
        break;
    }
    return;
  }
  const long pass = session.nextPass++;
  if (session.phase == Phase::Watching) {
    session.player.advanceTo(pass);
    if (pass >= session.watchEnd) session.backToChoice = true;
  } else {
    session.recorder.notePass(pass);
  }
  pollKeys();
}

void sessionDraw() {
  if (session.phase != Phase::Choosing && session.backToChoice) returnToChoice();
  if (session.phase == Phase::Choosing) {
    showChoice();
    soundAfterPass();
    return;
  }
  const int livesBefore = game.lives;
  const bool playing = game.menuMode == 0;
  try {
    drawFrame();
  } catch (CourseEnded &end) {
    if (playing) ++session.playingPasses;
    if (end.text == WinText) {
      finishWin();
    } else {
      say("Die Fahrt endete mit \"" + end.text + "\".");
    }
    returnToChoice();
    return;
  }
  if (playing) ++session.playingPasses;
  if (game.lives != livesBefore) ++session.livesLost;
}

void sessionKeyDown(const Event &event) {
  toggleSoundOnM(event);
  if ((event.message & 0xFF) != CharEscape) return;
  if (session.phase == Phase::Choosing) {
    quitMainLoop();
  } else {
    session.backToChoice = true;
  }
}

void ignoreKeyUp(const Event &) {}

int sessionModeSwitch(const VideoMode &mode, int windowed) {
  if (session.course >= 0) return onModeSwitch(mode, windowed);
  loadChoiceFont();
  return 0;
}

// The pack's courses with their pictures and par results, in the order of
// the catalogue; a course that cannot be read is left out.
void readEntries() {
  std::string catalogueText;
  readWholeFile(session.pack.folder + "/courses.txt", catalogueText);
  const ParTable pars = parseParLines(catalogueText);
  const int w = gameScreenWidth();
  for (const CourseEntry &course : session.pack.catalogue) {
    ChoiceEntry e;
    e.course = course;
    e.folder = session.pack.folder + "/" + course.name;
    if (!LoadSceneOrReturn((e.folder + "/inp1.txt").c_str(), nullptr)) continue;
    e.picture = drawCoursePicture(choicePictureWidth(w), choicePictureHeight(w));
    const auto par = pars.find(course.name);
    if (par != pars.end()) e.par = par->second;
    session.entries.push_back(std::move(e));
  }
  ResetScene();
}

}  // namespace

const char *programVersion() {
  return KELVARO_VERSION;
}

void startCourseChoice(const CoursePack &pack) {
  session = Session{};
  session.pack = pack;
  if (!pack.mainData.empty()) setDefaultResourceRoot(pack.mainData);
  setFatalExitHook(endCourseInstead);
  setQuitProcessFunc(noteQuitItem);
  loadChoiceFont();
  readEntries();
  session.records.open(hostPlayerFilesDirectory(), say);
  setMenuPalette();

  setGameFunc(sessionGame);
  setDrawFunc(sessionDraw);
  setKeyDownFunc(sessionKeyDown);
  setKeyUpFunc(ignoreKeyUp);
  setModeSwitchFunc(sessionModeSwitch);
  session.keys.settle();
}

GameFunc courseChoiceGameFunc() {
  return sessionGame;
}

DrawFunc courseChoiceDrawFunc() {
  return sessionDraw;
}
