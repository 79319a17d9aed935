#include "engine/drawing_template.h"

#include "engine/dxf_group.h"
#include "engine/handle_table.h"
#include "engine/handle_text.h"
#include "engine/template_records.h"

#include <algorithm>
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

  void Reset() { anyKept_ = anyDropped_ = false; }

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

// What becomes of a group when its record is copied.
enum class Fate { Kept, Removed, Nulled };

// Copies the records the drawing keeps into its head and tail, group by group as they
// are read, and takes a record back once it shows that it is dropped.
class DrawingCopier final : public TemplateRecords::GroupSink {
 public:
  DrawingCopier(std::string_view text, const HandleTable& handles, std::size_t seedValueBegin,
                DrawingTemplate& drawing)
      : text_(text), handles_(handles), seedValueBegin_(seedValueBegin), drawing_(drawing) {}

  void Take(const TemplateRecord& record, const DxfGroup& group) override {
    if (record.part == TemplatePart::Entities) return;
    if (out_ == nullptr) Start(record);
    follower_.Take(record, group, handles_);
    if (std::exchange(sortHandleFollows_, false) && group.code == 5) return;
    if (group.code == 102) inApplicationData_ = TrimBlanks(group.value).starts_with('{');
    const Fate fate = FateOf(record, group);
    if (fate == Fate::Removed) {
      key_.reset();
      sortHandleFollows_ = record.type == "SORTENTSTABLE" && group.code == 331;
      return;
    }
    if (key_) Append(*std::exchange(key_, std::nullopt));
    if (group.code == 3 && IsDictionary(record)) {
      key_ = group;
    } else if (group.valueBegin == seedValueBegin_) {
      out_->append(text_.substr(group.begin, group.valueBegin - group.begin));
      drawing_.handleSeedOffset = out_->size();
      *out_ += HandleText(drawing_.firstFreeHandle).FixedWidth();
      *out_ += "\r\n";
    } else if (fate == Fate::Nulled) {
      out_->append(text_.substr(group.begin, group.valueBegin - group.begin));
      *out_ += "0\r\n";
    } else {
      Append(group);
    }
  }

  // Once the record's groups are all taken.
  void Finish(const TemplateRecord& record) {
    if (out_ == nullptr) return;
    if (key_) Append(*key_);
    if (Dropped(record)) out_->resize(recordBegin_);
    out_ = nullptr;
  }

 private:
  void Start(const TemplateRecord& record) {
    out_ = record.part == TemplatePart::Head ? &drawing_.head : &drawing_.tail;
    recordBegin_ = out_->size();
    key_.reset();
    inApplicationData_ = sortHandleFollows_ = false;
    follower_.Reset();
  }

  // Of a record outside the ENTITIES section. The table alone decides for one with a
  // handle that may go with what it names, since the pointers at it follow the table;
  // any other goes with its owner, as the table has it too, at the cost of no search
  // for its own handle.
  bool Dropped(const TemplateRecord& record) const {
    if (record.handle != kNullHandle && MayFollowWhatItNames(record)) {
      return handles_.Find(record.handle) == HandleTable::State::Dropped;
    }
    return (record.owner != kNullHandle &&
            handles_.Find(record.owner) == HandleTable::State::Dropped) ||
           (record.handle == kNullHandle && follower_.Follows());
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

  void Append(const DxfGroup& group) { out_->append(text_.substr(group.begin, group.end - group.begin)); }

  std::string_view text_;
  const HandleTable& handles_;
  std::size_t seedValueBegin_;
  DrawingTemplate& drawing_;
  // The record being copied: where it goes and where it begins there.
  std::string* out_ = nullptr;
  std::size_t recordBegin_ = 0;
  std::optional<DxfGroup> key_;  // a dictionary's entry name, kept only with its entry
  bool inApplicationData_ = false;
  bool sortHandleFollows_ = false;  // a sort table pairs each 331 with a 5
  FollowerCheck follower_;
};

class TemplateAnalysis {
 public:
  explicit TemplateAnalysis(std::string_view text) : text_(text) {}

  std::optional<DrawingTemplate> Run() {
    if (!ReadHandles()) return std::nullopt;
    if (followersToCheck_) DropFollowers();
    if (handles_.Find(drawing_.modelSpace) != HandleTable::State::Kept) return std::nullopt;
    DrawingCopier copier(text_, handles_, seedValueBegin_, drawing_);
    TemplateRecords records(text_, &copier);
    TemplateRecord record;
    while (records.Next(record)) copier.Finish(record);
    return std::move(drawing_);
  }

 private:
  // Reads the whole structure and every handle; false when no drawing can be made.
  bool ReadHandles() {
    TemplateRecords records(text_);
    // Room for as many records as the text can hold, so that the table never moves
    // while it fills; what it does not use is never touched.
    handles_.Reserve(text_.size() / kSmallestRecordWithHandle + 1);
    bool modelSpaceSeen = false;
    std::size_t headSize = 0;
    std::size_t tailSize = 0;
    TemplateRecord record;
    while (records.Next(record)) {
      (record.part == TemplatePart::Head ? headSize : tailSize) += record.end - record.begin;
      if (!modelSpaceSeen && IsModelSpace(record)) {
        modelSpaceSeen = true;
        drawing_.modelSpace = record.handle;
      }
      if (record.handle == kNullHandle) continue;
      handles_.Add(record.handle, record.owner, record.part == TemplatePart::Entities);
      followersToCheck_ = followersToCheck_ || MayFollowWhatItNames(record);
    }
    if (!records.Complete() || drawing_.modelSpace == kNullHandle || !handles_.Seal()) return false;
    // Room for all the drawing may keep, the seed's full width included, so that neither
    // text moves as it grows.
    drawing_.head.reserve(headSize + kFixedHandleWidth);
    drawing_.tail.reserve(tailSize);
    seedValueBegin_ = records.SeedValueBegin();
    drawing_.firstFreeHandle =
        std::max(Handle{NumberOf(records.LargestHandle()) + 1}, records.Seed());
    return true;
  }

  // Drops the records with a handle that go with what they name, once the entities and
  // what they own are dropped, and what those own.
  void DropFollowers() {
    FollowerFinder finder(handles_);
    TemplateRecords records(text_, &finder);
    TemplateRecord record;
    while (records.Next(record)) {
      if (finder.Follows() && record.handle != kNullHandle) handles_.Drop(record.handle);
    }
    handles_.Settle();
  }

  std::string_view text_;
  HandleTable handles_;
  bool followersToCheck_ = false;
  std::size_t seedValueBegin_ = 0;
  DrawingTemplate drawing_;
};

}  // namespace

std::optional<DrawingTemplate> AnalyzeTemplate(std::string_view text) {
  return TemplateAnalysis(text).Run();
}

}  // namespace sorvane
