// Entry point of kelvaro640 and kelvaro320. The two programs are built from
// this one file; only the build constants differ.
#include "game/scene/scene_loader.h"

int main() {
  LoadScene("inp1.txt");
  return 0;
}
