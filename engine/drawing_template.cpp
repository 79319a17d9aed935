#include "engine/drawing_template.h"

#include "engine/dxf_group.h"
#include "engine/handle_text.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace sorvane {
namespace {

struct Group {
  int code = 0;
  std::string_view value;
  std::size_t begin = 0;       // of the code line
  std::size_t valueBegin = 0;  // of the value line
  std::size_t end = 0;         // after the value line's CR LF
};

// The groups of text[from, to), which begins on a code line.
class GroupReader {
 public:
  GroupReader(std::string_view text, std::size_t from, std::size_t to)
      : text_(text), at_(from), end_(to) {}

  // False at the end, and when a code line is not an integer or a value is missing.
  bool Next(Group& group) {
    if (at_ >= end_) return false;
    const std::size_t codeEnd = LineEnd(at_);
    const std::optional<int> code = GroupCode(text_.substr(at_, codeEnd - at_));
    const std::size_t valueBegin = codeEnd + 2;
    if (!code || valueBegin >= end_) {
      broken_ = true;
      return false;
    }
    const std::size_t valueEnd = LineEnd(valueBegin);
    group = {*code, text_.substr(valueBegin, valueEnd - valueBegin), at_, valueBegin, valueEnd + 2};
    at_ = valueEnd + 2;
    return true;
  }

  bool Broken() const { return broken_; }

 private:
  std::size_t LineEnd(std::size_t from) const { return text_.find("\r\n", from); }

  std::string_view text_;
  std::size_t at_;
  std::size_t end_;
  bool broken_ = false;
};

enum class Part { Head, Entities, Tail };

// One object or entity: its groups from its group 0 to the next. The HEADER section's
// variables form the first record.
struct Record {
  std::size_t begin = 0;
  std::size_t end = 0;
  Part part = Part::Head;
  std::string_view type;
  std::uint64_t handle = 0;  // 0 when it has none
  std::uint64_t owner = 0;
  bool dropped = false;
};

struct Scan {
  std::vector<Record> records;
  std::size_t seedValueBegin = 0;  // 0 until $HANDSEED is found
  std::uint64_t seed = 0;
  std::uint64_t largestHandle = 0;
  std::size_t modelSpaceRecord = 0;  // 0 until found; the header is record 0
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return (x >= 'a' && x <= 'z' ? x - 'a' + 'A' : x) == (y >= 'a' && y <= 'z' ? y - 'a' + 'A' : y);
  });
}

std::optional<std::uint64_t> TemplateHandle(std::string_view value) {
  const std::optional<std::uint64_t> handle = HandleValue(value);
  if (handle && *handle > kLargestTemplateHandle) return std::nullopt;
  return handle;
}

// Splits the text into records and finds what the drawing needs; false when the text is
// not a drawing whose structure can be followed.
bool ScanRecords(std::string_view text, Scan& scan) {
  GroupReader groups(text, 0, text.size());
  std::string_view section = "HEADER";
  bool inSection = true;
  bool awaitingSectionName = false;
  bool awaitingSeed = false;
  bool inApplicationData = false;  // between 102 "{NAME" and 102 "}"
  bool ownerSeen = false;          // the record's first 330 outside application data
  bool named = false;              // the record's first group 2 was seen
  bool ended = false;
  int entitiesSections = 0;
  Part part = Part::Head;
  scan.records.push_back({});
  Group group;
  while (!ended && groups.Next(group)) {
    Record& record = scan.records.back();
    if (awaitingSectionName) {
      awaitingSectionName = false;
      if (group.code != 2) return false;
      section = TrimBlanks(group.value);
      if (section == "ENTITIES") {
        if (++entitiesSections > 1) return false;
        // The head ends with this group: what follows is the template's own entities.
        record.end = group.end;
        part = Part::Entities;
        scan.records.push_back(Record{.begin = group.end, .end = group.end, .part = part, .type = {}});
      }
      continue;
    }
    if (group.code == 0) {
      record.end = group.begin;
      const std::string_view type = TrimBlanks(group.value);
      Part recordPart = part;
      if (type == "SECTION") {
        if (inSection) return false;
        inSection = awaitingSectionName = true;
      } else if (type == "ENDSEC") {
        if (!inSection) return false;
        inSection = false;
        if (section == "ENTITIES") part = Part::Tail;
      } else if (type == "EOF") {
        if (inSection) return false;
        ended = true;
      } else if (!inSection) {
        return false;
      }
      scan.records.push_back(
          Record{.begin = group.begin, .end = group.end, .part = recordPart, .type = type});
      inApplicationData = ownerSeen = named = false;
      continue;
    }
    if (section == "HEADER") {
      if (awaitingSeed) {
        awaitingSeed = false;
        const std::optional<std::uint64_t> seed = TemplateHandle(group.value);
        if (group.code != 5 || !seed) return false;
        scan.seed = *seed;
        scan.seedValueBegin = group.valueBegin;
      } else if (group.code == 9 && TrimBlanks(group.value) == "$HANDSEED") {
        if (scan.seedValueBegin != 0) return false;
        awaitingSeed = true;
      }
      continue;
    }
    // A DIMSTYLE's handle is its 105: its 5 is the name of an arrow block.
    if ((group.code == 5 && record.type != "DIMSTYLE") || group.code == 105) {
      const std::optional<std::uint64_t> handle = TemplateHandle(group.value);
      if (!handle) return false;
      scan.largestHandle = std::max(scan.largestHandle, *handle);
      if (record.handle == 0) record.handle = *handle;
    } else if (group.code == 102) {
      inApplicationData = TrimBlanks(group.value).starts_with('{');
    } else if (group.code == 330 && !inApplicationData && !ownerSeen) {
      const std::optional<std::uint64_t> owner = HandleValue(group.value);
      if (!owner) return false;
      record.owner = *owner;
      ownerSeen = true;
    } else if (group.code == 2 && !named && section == "TABLES" && record.type == "BLOCK_RECORD") {
      named = true;
      if (EqualsIgnoringCase(TrimBlanks(group.value), "*Model_Space") && scan.modelSpaceRecord == 0) {
        scan.modelSpaceRecord = scan.records.size() - 1;
      }
    }
  }
  return ended && !groups.Broken() && entitiesSections == 1 && scan.seedValueBegin != 0 &&
         scan.modelSpaceRecord != 0 && scan.records[scan.modelSpaceRecord].handle != 0;
}

// Whether a GROUP record names members and every one of them is dropped.
bool AllMembersDropped(std::string_view text, const Record& group,
                       const std::unordered_set<std::uint64_t>& dropped) {
  GroupReader groups(text, group.begin, group.end);
  Group member;
  bool any = false;
  while (groups.Next(member)) {
    if (member.code != 340) continue;
    const std::optional<std::uint64_t> handle = HandleValue(member.value);
    if (!handle || !dropped.contains(*handle)) return false;
    any = true;
  }
  return any;
}

// Marks as dropped the template's entities, every record they own, directly or not, and
// every group whose members were all among them (readers remove an empty group). Fills
// `dropped` with the handles of the dropped records and `kept` with the others; false
// when two records share a handle.
bool DropEntities(std::string_view text, std::vector<Record>& records,
                  std::unordered_set<std::uint64_t>& dropped,
                  std::unordered_set<std::uint64_t>& kept) {
  std::unordered_multimap<std::uint64_t, std::size_t> owned;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const Record& record = records[i];
    if (record.handle != 0 && !kept.insert(record.handle).second) return false;
    if (record.owner != 0) owned.emplace(record.owner, i);
  }
  std::vector<std::size_t> pending;
  const auto drop = [&](std::size_t i) {
    records[i].dropped = true;
    pending.push_back(i);
  };
  const auto dropOwned = [&] {
    while (!pending.empty()) {
      const std::uint64_t owner = records[pending.back()].handle;
      pending.pop_back();
      if (owner == 0) continue;
      dropped.insert(owner);
      kept.erase(owner);
      const auto [first, last] = owned.equal_range(owner);
      for (auto it = first; it != last; ++it) {
        if (!records[it->second].dropped) drop(it->second);
      }
    }
  };
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i].part == Part::Entities) drop(i);
  }
  dropOwned();
  for (std::size_t i = 0; i < records.size(); ++i) {
    const Record& record = records[i];
    if (!record.dropped && record.type == "GROUP" && AllMembersDropped(text, record, dropped)) {
      drop(i);
    }
  }
  dropOwned();
  return true;
}

class RecordCopier {
 public:
  RecordCopier(std::string_view text, const Scan& scan,
               const std::unordered_set<std::uint64_t>& dropped,
               const std::unordered_set<std::uint64_t>& kept, DrawingTemplate& drawing)
      : text_(text), scan_(scan), dropped_(dropped), kept_(kept), drawing_(drawing) {}

  // Appends the record's groups but those that point at dropped records; false when a
  // pointer names no record at all.
  bool Copy(const Record& record) {
    std::string& out = record.part == Part::Head ? drawing_.head : drawing_.tail;
    GroupReader groups(text_, record.begin, record.end);
    std::optional<Group> key;  // a dictionary's entry name, kept only with its entry
    bool dropSortHandle = false;
    Group group;
    while (groups.Next(group)) {
      if (std::exchange(dropSortHandle, false) && group.code == 5) continue;
      if (IsPointerCode(group.code)) {
        const std::optional<std::uint64_t> target = HandleValue(group.value);
        if (!target) return false;
        if (*target != 0 && dropped_.contains(*target)) {
          key.reset();
          dropSortHandle = group.code == 331;  // a sort table pairs 331 with a 5
          continue;
        }
        if (*target != 0 && !kept_.contains(*target)) return false;
      }
      if (key) Append(out, *std::exchange(key, std::nullopt));
      if (group.code == 3) {
        key = group;
      } else if (group.valueBegin == scan_.seedValueBegin) {
        out.append(text_.substr(group.begin, group.valueBegin - group.begin));
        drawing_.handleSeedOffset = out.size();
        out += HandleText(drawing_.firstFreeHandle).FixedWidth();
        out += "\r\n";
      } else {
        Append(out, group);
      }
    }
    if (key) Append(out, *key);
    return true;
  }

 private:
  void Append(std::string& out, const Group& group) const {
    out.append(text_.substr(group.begin, group.end - group.begin));
  }

  std::string_view text_;
  const Scan& scan_;
  const std::unordered_set<std::uint64_t>& dropped_;
  const std::unordered_set<std::uint64_t>& kept_;
  DrawingTemplate& drawing_;
};

}  // namespace

std::optional<DrawingTemplate> AnalyzeTemplate(std::string_view text) {
  Scan scan;
  if (!ScanRecords(text, scan)) return std::nullopt;
  std::unordered_set<std::uint64_t> dropped;
  std::unordered_set<std::uint64_t> kept;
  if (!DropEntities(text, scan.records, dropped, kept) ||
      scan.records[scan.modelSpaceRecord].dropped) {
    return std::nullopt;
  }

  DrawingTemplate drawing;
  drawing.modelSpace = scan.records[scan.modelSpaceRecord].handle;
  drawing.firstFreeHandle = std::max(scan.largestHandle + 1, scan.seed);
  RecordCopier copier(text, scan, dropped, kept, drawing);
  for (const Record& record : scan.records) {
    if (!record.dropped && !copier.Copy(record)) return std::nullopt;
  }
  return drawing;
}

}  // namespace sorvane
