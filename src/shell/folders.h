// Where the game's files are: the pack (pictures, sounds, music), the game
// folder (data files), and the player's config.ini and save.dat.
#pragma once

#include <string>

struct Folders {
  std::string pack;          // ends in '/'
  std::string game;          // ends in '/'
  std::string config_file;   // config.ini, created there when missing
  std::string save_file;     // save.dat, created there when missing
  std::string ranking_file;  // save.dat read at start: save_file, or the game folder's
                             // when it is there but not written (read-only, unreadable,
                             // or holding no ranking)
  std::string debug_file;    // DEBUG.TXT, deleted at start-up
};

// The pack is the program's folder when it holds data/game.dat, else the
// installed pack beside it (../share/lantern-drift). The game folder is the
// current folder when it holds data/game.dat, else the pack; pictures, sounds
// and music are taken from it first, then from the pack. config.ini and
// save.dat stay in the game folder where the player may use them there, and
// move to the XDG folders otherwise; the installed pack is never written, its
// files only read. A save.dat the game folder shows but the player cannot
// write there is read while the XDG one does not exist.
Folders FindFolders(const std::string& current_dir, const std::string& program_dir);

// The folders of this run: config.ini and save.dat of the game; relative names
// (the current folder) until start-up decides.
const Folders& CurrentFolders();
// The folders of this run, found from the current folder and the program's.
Folders FindFoldersHere();
// Makes the folders of config.ini and save.dat, makes the game folder the
// current one and takes pictures, sounds and music from it, then from the pack.
void SettleFolders(const Folders& folders);
void ResetFolders();
