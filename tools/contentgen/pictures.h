// Every picture of the pack, grouped by where the game shows it.
#pragma once

#include "pack.h"

void WritePictures(const Pack& pack);

void WriteScreenPictures(const Pack& pack);   // title, menus, ranking, how-to
void WriteHudPictures(const Pack& pack);      // gauge, digits, banner, shot, stock
void WriteBackgrounds(const Pack& pack);      // one play field a stage
void WriteCharacterSheets(const Pack& pack);  // player and enemies
void WriteObjectPictures(const Pack& pack);   // stage objects
void WriteScenePictures(const Pack& pack);    // opening, introductions, ending, game over
void WriteIcons(const Pack& pack);            // the desktop icons, PNG, from the lantern
