// Boxes drawn by the game in its own window: the frame dimmed behind, the
// text in the game's font with an English line under it, buttons answered by
// keys and clicks. A box is modal: its caller waits inside, no frame runs.
#pragma once

#include <string>

#include "platform/platform.h"

// Shows a box and returns IDOK, IDYES or IDNO. Without a display the texts go
// to standard error and the default button answers.
int OpenBox(const std::string& text, const std::string& caption, unsigned style);

// Takes the messages a box does not answer (music notifications, activation,
// moves) while it is open: the shell's window procedure.
using BoxMessageSink = void (*)(const platform::Message&);
void SetBoxMessageSink(BoxMessageSink sink);

// The file and the reason behind the next box, in English: "img/title.bmp:
// no such file". The box shows it under its English line and prints it once
// to standard error, after the load source if any.
void NoteBoxDetail(const std::string& detail);

// The English line under the next box, for a text whose English its caller
// keeps; without it the line is the library's own (EnglishFor).
void NoteBoxEnglish(const std::string& english);

// While it lives, what fails to load was named at `where` ("data/data1.dat:12"),
// on the line `written` as the file spells it, and the messages say so: they
// point where lantern-drift --check points and spell the name as the line does.
class LoadSource {
 public:
  explicit LoadSource(const std::string& where, const std::string& written = "");
  ~LoadSource();
  LoadSource(const LoadSource&) = delete;
  LoadSource& operator=(const LoadSource&) = delete;
};

// text after the load source, if any: "data/data1.dat:12: " + text.
std::string WithLoadSource(const std::string& text);

// name as the load source's line spells it ("img/Bg_Mod.bmp" for the
// reader's "IMG\BG_MOD.BMP"), with '/' between folders.
std::string ShownName(const std::string& name);

// The English line under a box's text; empty for a text we have no words for.
std::string EnglishFor(const std::string& text);
