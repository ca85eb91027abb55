// Where the program's files are: the pack's folder and the lookup of content names.
#pragma once

#include <string>

// The program's own directory, ending in '/': where pictures, sounds and music
// are found when the game folder has none; the pack's folder once UsePackDir
// has named one.
std::string GetProgramDir();
void UsePackDir(const std::string& dir);
// The game folder, where pictures, sounds and music are looked for before the
// pack, so that a mod folder holds only what it changes; empty: the pack alone.
void UseGameDir(const std::string& dir);
// Where the file that serves name is: the game folder when it holds one, else the pack.
std::string ContentDir(const std::string& name);

// Maps a content name ("img\TITLE.BMP", "Data\game.dat") under base to a real
// path: '\' becomes '/', and each component is matched without regard to case
// (an exact match first). When nothing matches, the mapped path is returned as
// it is, so the caller's open fails in the ordinary way.
std::string FindFile(const std::string& base, const std::string& name);

// A content name as our own messages show it: "img/title.bmp".
std::string ContentPath(std::string name);
// A picture, sound or music file: the game folder's, else the pack's.
inline std::string ProgramFile(const std::string& name) { return FindFile(ContentDir(name), name); }
// A content name relative to the current directory (data files).
inline std::string DataFile(const std::string& name) { return FindFile("", name); }
