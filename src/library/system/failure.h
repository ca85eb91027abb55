// How a library operation says that it failed. The library shows nothing
// itself: start-up installs the sink that does (the error box), so the rooms
// that fail stay below the room that draws the box.
#pragma once

#include <string>

// Shows a report "context : message", for example "elSound::LoadObject" and
// "ミックス数が多過ぎます".
using FailureSink = void (*)(const std::string& context, const std::string& message);
void SetFailureSink(FailureSink sink);

// Hands the report to the sink (to standard error when none is set) and
// returns 0, the result of the operation that failed.
int ReportError(const std::string& context, const std::string& message, int code = 0);

// The file and the reason behind the next report, in English ("img/title.bmp:
// no such file"), after the load source if any. The next box takes it.
void NoteFailureDetail(const std::string& detail);
std::string TakeFailureDetail();

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
