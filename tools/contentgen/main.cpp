// contentgen <game dir>: writes the default content pack of Lantern Drift into the game folder.
#include <exception>
#include <iostream>

#include "data_files.h"
#include "music.h"
#include "pack.h"
#include "pictures.h"
#include "sounds.h"
#include "text.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: contentgen <game dir>\n";
    return 2;
  }
  try {
    const Pack pack(argv[1]);
    OpenFonts();
    WritePictures(pack);
    CloseFonts();
    WriteSounds(pack);
    WriteMusic(pack);
    WriteDataFiles(pack);
  } catch (const std::exception& e) {
    std::cerr << "contentgen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
