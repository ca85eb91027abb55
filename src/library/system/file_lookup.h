// Where the program's files are: the pack's folder and the lookup of content names.
#pragma once

#include <string>

// The program's own directory, ending in '/': where pictures, sounds and music
// are found; the pack's folder once UsePackDir has named one.
std::string GetProgramDir();
void UsePackDir(const std::string& dir);

// Maps a content name ("img\TITLE.BMP", "Data\game.dat") under base to a real
// path: '\' becomes '/', and each component is matched without regard to case
// (an exact match first). When nothing matches, the mapped path is returned as
// it is, so the caller's open fails in the ordinary way.
std::string FindFile(const std::string& base, const std::string& name);

// A content name as our own messages show it: "img/title.bmp".
std::string ContentPath(std::string name);
// A program-relative content name (pictures, sounds, music).
inline std::string ProgramFile(const std::string& name) { return FindFile(GetProgramDir(), name); }
// A content name relative to the current directory (data files).
inline std::string DataFile(const std::string& name) { return FindFile("", name); }
