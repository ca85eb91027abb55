#include "pictures.h"

void WritePictures(const Pack& pack) {
  WriteCharacterSheets(pack);
  WriteObjectPictures(pack);
  WriteHudPictures(pack);
  WriteBackgrounds(pack);
  WriteScreenPictures(pack);
  WriteScenePictures(pack);
  WriteIcons(pack);
}
