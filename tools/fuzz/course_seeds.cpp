// Writes the course fuzzer's seed corpus: small courses that load, in the
// spellings the loader accepts (spaces inside numbers, CR LF line ends,
// comments, repeated sections, a ball record before the first section), a
// strip course of many faces, and one near miss for each message the loader
// can give.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

int written = 0;

void save(const std::string &dir, const std::string &name, const std::string &text) {
  std::ofstream out(dir + "/" + name, std::ios::binary | std::ios::trunc);
  out << text;
  if (out.flush()) ++written;
}

std::string replaced(std::string text, const std::string &from, const std::string &to) {
  const size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string cameras() {
  std::ostringstream s;
  s << "k:\n";
  for (int k = 0; k <= 10; ++k) s << k << ":" << 100 * k << ",-300,200;\n";
  return s.str();
}

// One triangle, its three lines and points, eleven cameras.
std::string triangle() {
  return "b:100,200,50;\n" + cameras() +
         "p:\n0:0,0,0;\n1:1000,0,0;\n2:500,400,0;\n"
         "l:\n0:0,1;\n1:1,2;\n2:2,0;\n"
         "f:\n0:0,1,2,0;\n";
}

// A strip along x of `squares` squares, each cut into two faces, rising a
// little so that some faces are sloped; one wall, one trap, the goal last.
std::string strip(int squares) {
  std::ostringstream s;
  s << "# strip course\nb:30,75,45;\n" << cameras() << "p:\n";
  const int step = 1000 / squares;
  for (int i = 0; i <= squares; ++i) {
    const int z = i < squares / 2 ? 40 : 40 + 5 * (i - squares / 2);
    s << 2 * i << ":" << i * step << ",50," << z << ";\n";
    s << 2 * i + 1 << ":" << i * step << ",100," << z << ";\n";
  }
  s << "l:\n";
  int line = 0;
  std::vector<int> along, across, diagonal;
  for (int i = 0; i <= squares; ++i) {
    across.push_back(line);
    s << line++ << ":" << 2 * i << "," << 2 * i + 1 << ";\n";
  }
  for (int i = 0; i < squares; ++i) {
    along.push_back(line);
    s << line++ << ":" << 2 * i << "," << 2 * i + 2 << ";\n";
    along.push_back(line);
    s << line++ << ":" << 2 * i + 1 << "," << 2 * i + 3 << ";\n";
    diagonal.push_back(line);
    s << line++ << ":" << 2 * i + 1 << "," << 2 * i + 2 << ";\n";
  }
  s << "f:\n";
  for (int i = 0; i < squares; ++i) {
    int type = i < squares / 2 ? 0 : 1;
    if (i == 2) type = 4;
    if (i == squares - 1) type = 5;
    s << 2 * i << ":" << along[2 * i] << "," << diagonal[i] << "," << across[i] << "," << type << ";\n";
    s << 2 * i + 1 << ":" << along[2 * i + 1] << "," << diagonal[i] << "," << across[i + 1] << "," << type
      << ";\n";
  }
  return s.str();
}

void loading(const std::string &dir) {
  const std::string t = triangle();
  save(dir, "triangle.txt", t);
  save(dir, "triangle-crlf.txt", [&] {
    std::string out;
    for (char c : t) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
  }());
  save(dir, "triangle-spaced.txt", replaced(replaced(t, "p:\n", "p :\n"), "1:1000,0,0;", "1 : 1 000, 0 ,0"));
  save(dir, "triangle-comments.txt", "-- a course\n\tP:\n" + replaced(t, "l:\n", "l:\nnot a record\n"));
  save(dir, "triangle-no-ball.txt", replaced(t, "b:100,200,50;\n", ""));
  save(dir, "triangle-split-sections.txt", replaced(t, "1:1000,0,0;\n", "1:1000,0,0;\nk:\np:\n"));
  save(dir, "strip-small.txt", strip(11));
  save(dir, "strip-large.txt", strip(40));
}

void nearMisses(const std::string &dir) {
  const std::string t = triangle();
  const std::vector<std::pair<std::string, std::string>> misses = {
      {"ball-unreadable.txt", replaced(t, "b:100,200,50;", "b:x,1,2;")},
      {"camera-unreadable.txt", replaced(t, "3:300,-300,200;", "3:300,-300;")},
      {"camera-eleven.txt", replaced(t, "10:1000,-300,200;", "11:1000,-300,200;")},
      {"camera-missing.txt", replaced(t, "10:1000,-300,200;\n", "")},
      {"point-unreadable.txt", replaced(t, "1:1000,0,0;", "1:1000,0;")},
      {"point-overflow.txt", replaced(t, "1:1000,0,0;", "1:2147483648,0,0;")},
      {"point-index.txt", replaced(t, "2:500,400,0;", "3:500,400,0;")},
      {"point-twice.txt", replaced(t, "2:500,400,0;", "1:500,400,0;")},
      {"line-unreadable.txt", replaced(t, "1:1,2;", "1:1;")},
      {"line-negative.txt", replaced(t, "1:1,2;", "1:-1,2;")},
      {"line-twice.txt", replaced(t, "2:2,0;", "1:2,0;")},
      {"face-unreadable.txt", replaced(t, "0:0,1,2,0;", "0:0,1;")},
      {"face-index.txt", replaced(t, "0:0,1,2,0;", "0:0,1,3,0;")},
      {"face-twice.txt", replaced(t, "0:0,1,2,0;", "0:0,1,2,0;\n0:0,1,2,0;")},
      {"face-open.txt", replaced(t, "2:2,0;", "2:1,0;")},
      {"face-obtuse.txt", replaced(t, "2:500,400,0;", "2:1500,100,0;")},
      {"face-type.txt", replaced(t, "0:0,1,2,0;", "0:0,1,2,9;")},
      {"face-early.txt", replaced(replaced(t, "f:\n0:0,1,2,0;\n", ""), "l:\n", "f:\n0:0,1,2,0;\nl:\n")},
      {"ball-between-points.txt", replaced(t, "1:1000,0,0;\n", "1:1000,0,0;\nb:1,2,3;\n")},
  };
  for (const auto &[name, text] : misses) save(dir, name, text);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fputs("usage: fuzz_course_seeds COURSE_DIR\n", stderr);
    return 2;
  }
  loading(argv[1]);
  nearMisses(argv[1]);
  std::printf("%d course seed files\n", written);
  return written > 0 ? 0 : 1;
}
