#include "engine/drawing_template.h"

#include "engine/dxf_group.h"
#include "engine/handle_table.h"
#include "engine/handle_text.h"
#include "engine/template_records.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace sorvane {
namespace {

// A handle in extended data. CAD programs leave one that names nothing as it is.
constexpr int kExtendedDataHandleCode = 1005;
// In an ACDSDATA record: the handle of the entity whose data (a 3D solid's) it holds.
constexpr int kDataOwnerCode = 320;
// The fewest bytes a record with a handle takes: a group 0 with an empty value, then a
// group 5 with one digit.
constexpr std::size_t kSmallestRecordWithHandle = std::string_view("0\r\n\r\n5\r\n1\r\n").size();

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return (x >= 'a' && x <= 'z' ? x - 'a' + 'A' : x) == (y >= 'a' && y <= 'z' ? y - 'a' + 'A' : y);
  });
}

bool IsModelSpace(const TemplateRecord& record) {
  return record.section == "TABLES" && record.type == "BLOCK_RECORD" &&
         EqualsIgnoringCase(record.name, "*Model_Space");
}

bool IsDictionary(const TemplateRecord& record) {
  return record.type == "DICTIONARY" || record.type == "ACDBDICTIONARYWDFLT";
}

// A record that may have to go because of what it names rather than what owns it.
bool MayFollowWhatItNames(const TemplateRecord& record) {
  return record.type == "GROUP" || record.section == "ACDSDATA";
}

enum class Target { Null, Kept, Dropped, Nothing };

// What a pointer's value names: the null handle, an object the drawing keeps or leaves
// out, or nothing (no object has it, or it is no handle at all).
Target TargetOf(const HandleTable& handles, std::string_view value) {
  const std::optional<Handle> handle = HandleValue(value);
  if (!handle) return Target::Nothing;
  if (*handle == kNullHandle) return Target::Null;
  switch (handles.Find(*handle)) {
    case HandleTable::State::Kept: return Target::Kept;
    case HandleTable::State::Dropped: return Target::Dropped;
    case HandleTable::State::Absent: break;
  }
  return Target::Nothing;
}

// Whether a record goes with what it names: a group none of whose members is left
// (readers remove an empty group), the ACDSDATA record of a dropped entity.
class FollowerCheck {
 public:
  void Take(const TemplateRecord& record, const DxfGroup& group, const HandleTable& handles) {
    const bool named = (record.type == "GROUP" && group.code == 340) ||
                       (record.section == "ACDSDATA" && group.code == kDataOwnerCode);
    if (!named) return;
    const Target target = TargetOf(handles, group.value);
    anyKept_ = anyKept_ || target == Target::Kept;
    anyDropped_ = anyDropped_ || target == Target::Dropped;
  }

  bool Follows() const { return anyDropped_ && !anyKept_; }

 private:
  bool anyKept_ = false;
  bool anyDropped_ = false;
};

// Finds the records with a handle that go with what they name.
class FollowerFinder final : public TemplateRecords::GroupSink {
 public:
  explicit FollowerFinder(const HandleTable& handles) : handles_(handles) {}

  void Take(const TemplateRecord& record, const DxfGroup& group) override {
    check_.Take(record, group, handles_);
  }

  // Once the record's groups are all taken.
  bool Follows() { return std::exchange(check_, {}).Follows(); }

 private:
  const HandleTable& handles_;
  FollowerCheck check_;
};

// Whether the drawing leaves out a record outside the ENTITIES section. The table alone
// decides for one with a handle that may go with what it names, since the pointers at
// it follow the table; any other goes with its owner, as the table has it too, at the
// cost of no search for its own handle, and one without a handle with what it names.
bool Dropped(std::string_view text, const HandleTable& handles, const TemplateRecord& record) {
  if (record.handle != kNullHandle && MayFollowWhatItNames(record)) {
    return handles.Find(record.handle) == HandleTable::State::Dropped;
  }
  if (record.owner != kNullHandle && handles.Find(record.owner) == HandleTable::State::Dropped) return true;
  if (record.handle != kNullHandle || !MayFollowWhatItNames(record)) return false;
  FollowerCheck check;
  GroupReader groups(text, record.begin, record.end);
  for (DxfGroup group; groups.Next(group);) check.Take(record, group, handles);
  return check.Follows();
}

// What becomes of a group when its record is copied.
enum class Fate { Kept, Removed, Nulled };

// Writes the records the drawing keeps, group by group, each repaired as it goes, and
// counts what it wrote.
class RecordCopier {
 public:
  RecordCopier(std::string_view text, const HandleTable& handles, std::size_t seedValueBegin,
               Handle firstFreeHandle, DrawingTemplate::Sink& out)
      : text_(text), handles_(handles), seedValueBegin_(seedValueBegin),
        firstFreeHandle_(firstFreeHandle), out_(out) {}

  void Copy(const TemplateRecord& record) {
    if (record.part == TemplatePart::Entities || Dropped(text_, handles_, record)) return;
    key_.reset();
    inApplicationData_ = sortHandleFollows_ = false;
    GroupReader groups(text_, record.begin, record.end);
    for (DxfGroup group; groups.Next(group);) Take(record, group);
    if (key_) Put(*key_);
  }

  // Where in what was written the value of $HANDSEED stands.
  std::size_t SeedOffset() const { return seedOffset_; }

 private:
  void Take(const TemplateRecord& record, const DxfGroup& group) {
    if (std::exchange(sortHandleFollows_, false) && group.code == 5) return;
    if (group.code == 102) inApplicationData_ = TrimBlanks(group.value).starts_with('{');
    const Fate fate = FateOf(record, group);
    if (fate == Fate::Removed) {
      key_.reset();
      sortHandleFollows_ = record.type == "SORTENTSTABLE" && group.code == 331;
      return;
    }
    if (key_) Put(*std::exchange(key_, std::nullopt));
    if (group.code == 3 && IsDictionary(record)) {
      key_ = group;
    } else if (group.valueBegin == seedValueBegin_) {
      PutCodeLine(group);
      seedOffset_ = written_;
      Put(HandleText(firstFreeHandle_).FixedWidth());
      Put("\r\n");
    } else if (fate == Fate::Nulled) {
      PutCodeLine(group);
      Put("0\r\n");
    } else {
      Put(group);
    }
  }

  // A pointer at a dropped object goes. One that names nothing goes when it is an entry
  // of a list (a reactor or other application data, a dictionary's entry, a group's
  // member, a sort table's entry), as CAD programs' audits remove it; any other is set
  // to the null handle.
  Fate FateOf(const TemplateRecord& record, const DxfGroup& group) const {
    if (group.code == kExtendedDataHandleCode) {
      return TargetOf(handles_, group.value) == Target::Dropped ? Fate::Removed : Fate::Kept;
    }
    if (!IsPointerCode(group.code)) return Fate::Kept;
    switch (TargetOf(handles_, group.value)) {
      case Target::Null:
      case Target::Kept: return Fate::Kept;
      case Target::Dropped: return Fate::Removed;
      case Target::Nothing: break;
    }
    const bool listEntry = inApplicationData_ || key_.has_value() ||
                           (record.type == "GROUP" && group.code == 340) ||
                           (record.type == "SORTENTSTABLE" && group.code == 331);
    return listEntry ? Fate::Removed : Fate::Nulled;
  }

  void Put(std::string_view text) {
    out_.Put(text);
    written_ += text.size();
  }
  void Put(const DxfGroup& group) { Put(text_.substr(group.begin, group.end - group.begin)); }
  void PutCodeLine(const DxfGroup& group) {
    Put(text_.substr(group.begin, group.valueBegin - group.begin));
  }

  std::string_view text_;
  const HandleTable& handles_;
  std::size_t seedValueBegin_;
  Handle firstFreeHandle_;
  DrawingTemplate::Sink& out_;
  std::size_t written_ = 0;
  std::size_t seedOffset_ = 0;
  // Of the record being copied.
  std::optional<DxfGroup> key_;  // a dictionary's entry name, kept only with its entry
  bool inApplicationData_ = false;
  bool sortHandleFollows_ = false;  // a sort table pairs each 331 with a 5
};

}  // namespace

DrawingTemplate::DrawingTemplate(std::string text) : text_(std::move(text)), records_(text_) {}

std::unique_ptr<DrawingTemplate> DrawingTemplate::Analyze(std::string text) {
  // Made where it stays, since its reader looks into its text.
  std::unique_ptr<DrawingTemplate> drawing(new DrawingTemplate(std::move(text)));
  if (!drawing->ReadHandles()) return nullptr;
  if (drawing->followersToCheck_) drawing->DropFollowers();
  if (drawing->handles_.Find(drawing->modelSpace_) != HandleTable::State::Kept) return nullptr;
  return drawing;
}

bool DrawingTemplate::ReadHandles() {
  TemplateRecords records(text_);
  // Room for as many records as the text can hold, so that the table never moves while
  // it fills; what it does not use is never touched.
  handles_.Reserve(text_.size() / kSmallestRecordWithHandle + 1);
  bool modelSpaceSeen = false;
  TemplateRecord record;
  while (records.Next(record)) {
    if (!modelSpaceSeen && IsModelSpace(record)) {
      modelSpaceSeen = true;
      modelSpace_ = record.handle;
    }
    if (record.handle == kNullHandle) continue;
    handles_.Add(record.handle, record.owner, record.part == TemplatePart::Entities);
    followersToCheck_ = followersToCheck_ || MayFollowWhatItNames(record);
  }
  if (!records.Complete() || modelSpace_ == kNullHandle || !handles_.Seal()) return false;
  seedValueBegin_ = records.SeedValueBegin();
  firstFreeHandle_ = std::max(Handle{NumberOf(records.LargestHandle()) + 1}, records.Seed());
  return true;
}

// Once the entities and what they own are dropped, and what those own.
void DrawingTemplate::DropFollowers() {
  FollowerFinder finder(handles_);
  TemplateRecords records(text_, &finder);
  TemplateRecord record;
  while (records.Next(record)) {
    if (finder.Follows() && record.handle != kNullHandle) handles_.Drop(record.handle);
  }
  handles_.Settle();
}

std::size_t DrawingTemplate::WriteHead(Sink& out) {
  RecordCopier copier(text_, handles_, seedValueBegin_, firstFreeHandle_, out);
  TemplateRecord record;
  while (records_.Next(record)) {
    copier.Copy(record);
    // The head ends with the group that names the ENTITIES section.
    if (record.part == TemplatePart::Head && record.section == "ENTITIES") break;
  }
  return copier.SeedOffset();
}

void DrawingTemplate::WriteTail(Sink& out) {
  RecordCopier copier(text_, handles_, seedValueBegin_, firstFreeHandle_, out);
  TemplateRecord record;
  while (records_.Next(record)) copier.Copy(record);
}

}  // namespace sorvane
