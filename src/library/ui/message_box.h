// Boxes drawn by the game in its own window: the frame dimmed behind, the
// text in the game's font with an English line under it, buttons answered by
// keys and clicks. A box is modal: its caller waits inside, no frame runs.
#pragma once

#include <string>

#include "platform/platform.h"

// Shows a box and returns IDOK, IDYES or IDNO. Under its English line it shows
// the failure detail noted since the last box (NoteFailureDetail) and prints it
// once to standard error. Without a display the texts go to standard error and
// the default button answers.
int OpenBox(const std::string& text, const std::string& caption, unsigned style);

// Takes the messages a box does not answer (music notifications, activation,
// moves) while it is open: the shell's window procedure.
using BoxMessageSink = void (*)(const platform::Message&);
void SetBoxMessageSink(BoxMessageSink sink);

// The English line under the next box, for a text whose English its caller
// keeps; without it the line is the library's own (EnglishFor).
void NoteBoxEnglish(const std::string& english);

// The English line under a box's text; empty for a text we have no words for.
std::string EnglishFor(const std::string& text);
