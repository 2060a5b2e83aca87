#include "game/scene/scene_loader.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

#include "game/scene/fatal_message.h"
#include "game/scene/geometry.h"
#include "game/scene/scene.h"

namespace {

// A line is read as at most this many characters (line feed included); a
// longer line is taken as several lines.
constexpr int MaxLineLength = 511;
constexpr double FileUnit = 0.001;
// Counts above this could not be held with the ball mesh appended.
constexpr int64_t MaxRecordCount = INT32_MAX - BallLineCount;

const char *const OutOfMemoryText = "Nicht genug Speicher für die Szenenbeschreibung";

enum class Section { None, Points, Lines, Faces, Cameras, AfterBall };

struct FileCloser {
  void operator()(FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// Reads the next line into `line` (zero-terminated): up to and including its
// line feed, at most MaxLineLength characters. A carriage return right before
// a line feed is dropped. Returns false at the end of the file.
bool readLine(FILE *f, char (&line)[MaxLineLength + 1]) {
  int length = 0;
  while (length < MaxLineLength) {
    int c = std::getc(f);
    if (c == EOF) break;
    if (c == '\r') {
      int next = std::getc(f);
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, f);
      }
    }
    line[length++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  line[length] = '\0';
  return length > 0;
}

// Removes every space character; everything else, the line feed too, stays.
void normaliseLine(char *line) {
  char *out = line;
  for (const char *in = line; *in != '\0'; ++in) {
    if (*in != ' ') *out++ = *in;
  }
  *out = '\0';
}

Section markerSection(const char *line) {
  if (std::strcmp(line, "p:\n") == 0) return Section::Points;
  if (std::strcmp(line, "l:\n") == 0) return Section::Lines;
  if (std::strcmp(line, "f:\n") == 0) return Section::Faces;
  if (std::strcmp(line, "k:\n") == 0) return Section::Cameras;
  return Section::None;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isFormatSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// Reads `line` by `format`, in which "%d" is an optionally signed decimal
// integer after optional white space and every other character must stand as
// it is. Succeeds only when all `fieldCount` fields are read and each fits a
// 32-bit signed integer; what follows the last field does not matter.
bool readRecord(const char *line, const char *format, int32_t *fields, int fieldCount) {
  const char *p = line;
  int read = 0;
  for (const char *f = format; read < fieldCount; ++f) {
    if (*f == '\0') return false;
    if (f[0] != '%' || f[1] != 'd') {
      if (*p != *f) return false;
      ++p;
      continue;
    }
    ++f;
    while (isFormatSpace(*p)) ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    if (!isDigit(*p)) return false;
    int64_t magnitude = 0;
    for (; isDigit(*p); ++p) {
      magnitude = magnitude * 10 + (*p - '0');
      if (magnitude > int64_t{INT32_MAX} + 1) return false;
    }
    int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return false;
    fields[read++] = static_cast<int32_t>(value);
  }
  return true;
}

[[noreturn]] void failFace(const char *format, int fileIndex) {
  char text[96];
  std::snprintf(text, sizeof text, format, fileIndex);
  FatalMessage(text);
}

void setPosition(ScenePoint &p, const int32_t *fileValues) {
  p.x = fileValues[0] * FileUnit;
  p.y = fileValues[1] * FileUnit;
  p.z = fileValues[2] * FileUnit;
}

bool outside(int32_t index, int count) {
  return index < 0 || index >= count;
}

struct Counts {
  int64_t points = 0, lines = 0, faces = 0;
};

// The counting pass: counts the point, line and face records, and reads the
// ball and camera records.
Counts countRecords(FILE *f, bool (&cameraRead)[CameraCount]) {
  Counts counts;
  Section section = Section::None;
  char line[MaxLineLength + 1];
  while (readLine(f, line)) {
    normaliseLine(line);
    Section marker = markerSection(line);
    if (marker != Section::None) {
      section = marker;
    } else if (line[0] == 'b') {
      int32_t v[3];
      if (!readRecord(line, "b:%d,%d,%d;", v, 3)) FatalMessage("ungültige Ball-Startposition");
      setPosition(scene.ballStart, v);
      section = Section::AfterBall;
    } else if (isDigit(line[0])) {
      switch (section) {
        case Section::Cameras: {
          int32_t v[4];
          if (!readRecord(line, "%d:%d,%d,%d;", v, 4))
            FatalMessageWithCaption("Kamera: Ungültige Angabe", line);
          if (outside(v[0], CameraCount) || cameraRead[v[0]]) {
            FatalMessageWithCaption("Kamera: Falscher bzw. mehrfacher Index", line);
          }
          cameraRead[v[0]] = true;
          setPosition(scene.cameras[v[0]], v + 1);
          break;
        }
        case Section::Points:
          ++counts.points;
          break;
        case Section::Lines:
          ++counts.lines;
          break;
        case Section::Faces:
          ++counts.faces;
          break;
        case Section::None:
        case Section::AfterBall:
          break;
      }
    }
  }
  return counts;
}

void readPoint(const char *line, int n) {
  int32_t v[4];
  if (!readRecord(line, "%d:%d,%d,%d;", v, 4)) FatalMessageWithCaption("Ungültige Punkteangabe", line);
  if (outside(v[0], n)) FatalMessageWithCaption("Punkt: Punktindex Bereichsüberschreitung", line);
  ScenePoint &p = scene.points[v[0]];
  if (p.viewX != 0.0) FatalMessageWithCaption("Punkt redefiniert", line);
  p.viewX = 1.0;
  p.defined = 1;
  setPosition(p, v + 1);
}

void readSceneLine(const char *line, int n, int L) {
  int32_t v[3];
  if (!readRecord(line, "%d:%d,%d;", v, 3)) FatalMessageWithCaption("Ungültige Linie", line);
  if (outside(v[1], n) || outside(v[2], n) || outside(v[0], L)) {
    FatalMessageWithCaption("Linie: Punktindex Bereichsüberschreitung", line);
  }
  SceneLine &l = scene.lines[v[0]];
  if (l.p0 != nullptr) FatalMessageWithCaption("Line redefiniert", line);
  l.p0 = &scene.points[v[1]];
  l.p1 = &scene.points[v[2]];
}

bool lineIsComplete(const SceneLine &l) {
  return l.p0 != nullptr && l.p1 != nullptr && l.p0->defined != 0 && l.p1->defined != 0;
}

void readFace(const char *line, int L, int F) {
  int32_t v[5];
  if (!readRecord(line, "%d:%d,%d,%d,%d;", v, 5)) FatalMessageWithCaption("Ungültige Fläche", line);
  if (outside(v[1], L) || outside(v[2], L) || outside(v[3], L) || outside(v[0], F)) {
    FatalMessageWithCaption("Flächen: Index-Bereichsüberschreitung", line);
  }
  SceneFace &face = scene.faces[v[0]];
  if (face.line0 != nullptr) FatalMessageWithCaption("Fläche redefiniert", line);
  SceneLine *lines[3] = {&scene.lines[v[1]], &scene.lines[v[2]], &scene.lines[v[3]]};
  for (const SceneLine *l : lines) {
    if (!lineIsComplete(*l)) failFace("Fläche %d: Linie oder Punkt noch nicht definiert", v[0]);
  }
  if (v[4] < FloorFlat || v[4] > Goal) failFace("Fläche %d: unbekannter Flächentyp", v[0]);
  face.line0 = lines[0];
  face.line1 = lines[1];
  face.line2 = lines[2];
  face.type = v[4];
  PrepareCourseFace(face, v[0]);
}

// The reading pass: points, lines and faces into their slots.
void readRecords(FILE *f, int n, int L, int F) {
  Section section = Section::None;
  char line[MaxLineLength + 1];
  while (readLine(f, line)) {
    normaliseLine(line);
    Section marker = markerSection(line);
    if (marker != Section::None) {
      section = marker;
      continue;
    }
    if (!isDigit(line[0])) continue;
    if (section == Section::Points) readPoint(line, n);
    if (section == Section::Lines) readSceneLine(line, n, L);
    if (section == Section::Faces) readFace(line, L, F);
  }
}

double sortKey(const SceneFace &face) {
  return (face.line0->p0->x + face.line0->p1->x + face.line1->p0->x + face.line1->p1->x) / 4;
}

// Orders the faces by ascending key with exactly the exchanges of the simple
// exchange sort (for each i, for each j > i, exchange when key j < key i), so
// that equal keys end in the same order. The exchanges run on (key, file
// index) pairs; the records are then moved once.
void sortFaces(std::vector<double> &keys) {
  const int F = static_cast<int>(keys.size());
  std::vector<int32_t> order(F);
  for (int k = 0; k < F; ++k) order[k] = k;
  for (int i = 0; i + 1 < F; ++i) {
    // keys[i] is held in `least` while the pass runs.
    double least = keys[i];
    int32_t leastIndex = order[i];
    for (int j = i + 1; j < F; ++j) {
      if (keys[j] < least) {
        std::swap(keys[j], least);
        std::swap(order[j], leastIndex);
      }
    }
    keys[i] = least;
    order[i] = leastIndex;
  }
  std::vector<SceneFace> sorted(F);
  for (int k = 0; k < F; ++k) sorted[k] = scene.faces[order[k]];
  scene.faces.swap(sorted);
}

void buildIntervalTables(const std::vector<double> &sortedKeys) {
  for (int k = 0; k < IntervalCount; ++k) {
    scene.intervalCount[k] = 0;
    scene.intervalFirstFace[k] = nullptr;
  }
  for (int i = 0; i < scene.faceCount; ++i) {
    int k = static_cast<int>(10 * sortedKeys[i]);
    if (scene.intervalCount[k]++ == 0) scene.intervalFirstFace[k] = &scene.faces[i];
  }
  scene.intervalStart[0] = 0;
  for (int k = 1; k < IntervalCount; ++k) {
    scene.intervalStart[k] = scene.intervalStart[k - 1] + scene.intervalCount[k - 1];
  }
}

void loadScene(const char *fileName) {
  File file(fileName != nullptr ? std::fopen(fileName, "rb") : nullptr);
  if (!file) FatalMessage("Szenebeschreibung kann nicht geöffnet werden");

  bool cameraRead[CameraCount] = {};
  Counts counts = countRecords(file.get(), cameraRead);
  if (counts.points > MaxRecordCount || counts.lines > MaxRecordCount || counts.faces > MaxRecordCount) {
    FatalMessage(OutOfMemoryText);
  }
  const int n = static_cast<int>(counts.points);
  const int L = static_cast<int>(counts.lines);
  const int F = static_cast<int>(counts.faces);

  std::vector<double> keys;
  try {
    scene.points.assign(n + BallPointCount, ScenePoint{});
    scene.lines.assign(L + BallLineCount, SceneLine{});
    scene.faces.assign(F, SceneFace{});
    scene.ballFaces.assign(BallFaceCount, SceneFace{});
    scene.visibleBallFaces.assign(BallFaceCount, SceneFace{});
    keys.resize(F);
  } catch (const std::bad_alloc &) {
    FatalMessage(OutOfMemoryText);
  } catch (const std::length_error &) {
    FatalMessage(OutOfMemoryText);
  }

  std::rewind(file.get());
  readRecords(file.get(), n, L, F);

  BuildBallMesh(scene, n, L);
  scene.pointCount = n + BallPointCount;
  scene.lineCount = L + BallLineCount;

  // Every face must lie in one of the intervals, which also keeps undefined
  // keys out of the sort. Each counted face record has filled a slot of its
  // own by now, so every slot holds a face.
  scene.faceCount = F;
  for (int i = 0; i < F; ++i) {
    keys[i] = sortKey(scene.faces[i]);
    double interval = 10 * keys[i];
    if (!(interval > -1.0 && interval < IntervalCount)) failFace("Fläche %d liegt außerhalb der Strecke", i);
  }
  try {
    sortFaces(keys);
  } catch (const std::bad_alloc &) {
    FatalMessage(OutOfMemoryText);
  }
  buildIntervalTables(keys);

  for (bool read : cameraRead) {
    if (!read) FatalMessage("Zuwenige Kameras in Szenenbeschreibung");
  }
  file.reset();
  scene.initialBall = scene.ballStart;
}

}  // namespace

void ResetScene() {
  scene = Scene{};
}

void LoadScene(const char *fileName) {
  ResetScene();
  loadScene(fileName);
}
