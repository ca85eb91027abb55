// The sprite object table: loading pictures, release and restore after a loss.
#include <new>

#include "library/draw/el_draw.h"
#include "library/system/failure.h"
#include "library/system/file_lookup.h"
#include "platform/platform.h"

namespace {

constexpr char kTooLong[] = "ファイル名またはリソース名が長すぎます";
constexpr char kTooMany[] = "オブジェクト数が多過ぎます";
constexpr char kUnreadable[] = "BMPファイルを読み込めません";

}  // namespace

// What is still to be drawn was meant with the pictures as they are.
void elDraw::EmptySlot(Object& object) {
  FlushDrawing();
  ++generation_;
  object = Object();
}

// Reads the file into the slot's surface, converted and keyed; false when it
// cannot be read. The program has no bitmap resources to fall back on.
bool elDraw::LoadPicture(Object& object, const std::string& name) {
  FlushDrawing();
  ++generation_;
  platform::Image image;
  std::string why;
  if (!platform::Get().LoadBitmap(ProgramFile(name), image, why)) {
    NoteFailureDetail(ShownName(name) + ": " + why);
    return false;
  }
  object.width = static_cast<uint16_t>(image.width);
  object.height = static_cast<uint16_t>(image.height);
  try {
    object.surface.Create(image.width, image.height);
  } catch (const std::bad_alloc&) {
    object.surface = Surface();
    return false;
  }
  for (size_t i = 0; i < image.pixels.size(); ++i)
    object.surface.pixels[i] = draw::FromRgb(image.pixels[i]);
  object.surface.key = draw::FromColour(key_colour_);
  object.key_colour = key_colour_;
  object.has_surface = true;
  return true;
}

int elDraw::LoadObject(const std::string& name, int) {
  if (name.size() > kNameMax) {
    NoteFailureDetail(ShownName(name) + ": the name is longer than 30 characters");
    return ReportError("elDraw::LoadObject", kTooLong);
  }
  for (int i = 2; i < kObjects; ++i) {
    Object& o = objects_[static_cast<size_t>(i)];
    if (!o.name.empty()) continue;
    o.name = name;
    if (LoadPicture(o, name)) return i;
    // Give the slot back, so that missing files never use up the table.
    EmptySlot(o);
    return ReportError("elDraw::LoadObject", kUnreadable);
  }
  return ReportError("elDraw::LoadObject", kTooMany);
}

int elDraw::SwapObject(const std::string& name, int handle, int) {
  if (!InTable(handle)) return 0;
  if (name.size() > kNameMax) return ReportError("elDraw::SwapObject", kTooLong);
  Object& o = objects_[static_cast<size_t>(handle)];
  FlushDrawing();
  o.surface = Surface();
  o.has_surface = false;
  o.name = name;
  if (LoadPicture(o, name)) return 1;
  return ReportError("elDraw::SwapObject", kUnreadable);
}

// A slot left named without a surface (a failed restore) is emptied too, so
// that its owner's release still gives it back.
void elDraw::ReleaseObject(int handle) {
  if (!InTable(handle)) return;
  Object& o = objects_[static_cast<size_t>(handle)];
  if (o.has_surface || !o.name.empty()) EmptySlot(o);
}

// Our surfaces live in ordinary memory and keep their content; the pictures
// are read again from their files all the same, as after a real loss.
void elDraw::RestoreObjects() {
  for (int i = 2; i < kObjects; ++i) {
    Object& o = objects_[static_cast<size_t>(i)];
    if (o.name.empty() || !o.has_surface) continue;
    key_colour_ = o.key_colour;
    const std::string name = o.name;
    SwapObject(name, i, 2);
  }
}

const elDraw::Object& elDraw::Slot(int handle) const {
  return objects_.at(static_cast<size_t>(handle));
}

int elDraw::LoadedCount() const {
  int count = 0;
  for (int i = 2; i < kObjects; ++i)
    if (!objects_[static_cast<size_t>(i)].name.empty()) ++count;
  return count;
}
