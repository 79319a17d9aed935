#include "engine/template_records.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace sorvane {
namespace {

std::optional<Handle> TemplateHandle(std::string_view value) noexcept {
  const std::optional<Handle> handle = HandleValue(value);
  if (handle && *handle > kLargestTemplateHandle) return std::nullopt;
  return handle;
}

bool IsSeedName(const DxfGroup& group) noexcept {
  return group.code == 9 && TrimBlanks(group.value) == "$HANDSEED";
}

}  // namespace

TemplateRecords::TemplateRecords(std::string_view text, GroupSink* sink) noexcept
    : groups_(text, 0, text.size()), sink_(sink) {}

bool TemplateRecords::Fail() noexcept {
  broken_ = true;
  return false;
}

bool TemplateRecords::Next(TemplateRecord& record) noexcept {
  if (ended_ || broken_) return false;
  // Field by field: clearing the whole record costs more than the rest of a small one.
  record.begin = record.end = begin_;
  record.part = recordPart_;
  record.section = section_;
  record.type = type_;
  record.name = {};
  record.handle = record.owner = kNullHandle;
  if (opening_ && sink_) sink_->Take(record, *opening_);
  if (atEndOfFile_) {
    // The end of file group is a record of its own; what follows it is not read.
    record.end = opening_->end;
    ended_ = true;
    return true;
  }
  inApplicationData_ = ownerSeen_ = named_ = false;
  DxfGroup group;
  while (groups_.Next(group)) {
    if (group.code == 0 && !awaitingSectionName_) {
      record.end = group.begin;
      if (awaitingSeed_ || !Open(group)) return Fail();
      return true;
    }
    if (awaitingSectionName_) {
      awaitingSectionName_ = false;
      if (group.code != 2) return Fail();
      section_ = record.section = TrimBlanks(group.value);
      if ((section_ == "HEADER" && std::exchange(headerSeen_, true)) ||
          (section_ == "ENTITIES" && entitiesSeen_)) {
        return Fail();
      }
      if (sink_) sink_->Take(record, group);
      if (section_ == "ENTITIES") {
        entitiesSeen_ = true;
        // The head ends with this group: what follows is the template's own entities.
        record.end = begin_ = group.end;
        opening_.reset();
        type_ = {};
        recordPart_ = part_ = TemplatePart::Entities;
        return true;
      }
      continue;
    }
    if (!Take(record, group)) return Fail();
    if (sink_) sink_->Take(record, group);
  }
  return Fail();  // the text ended, or broke off, before the end of file group
}

bool TemplateRecords::Open(const DxfGroup& group) noexcept {
  const std::string_view type = TrimBlanks(group.value);
  recordPart_ = part_;
  if (type == "SECTION") {
    if (inSection_) return false;
    inSection_ = awaitingSectionName_ = true;
  } else if (type == "ENDSEC") {
    if (!inSection_) return false;
    inSection_ = false;
    if (section_ == "ENTITIES") part_ = TemplatePart::Tail;
  } else if (type == "EOF") {
    if (inSection_) return false;
    atEndOfFile_ = true;
  } else if (!inSection_) {
    return false;
  }
  begin_ = group.begin;
  opening_ = group;
  type_ = type;
  return true;
}

bool TemplateRecords::Take(TemplateRecord& record, const DxfGroup& group) noexcept {
  if (inSection_ && section_ == "HEADER") return TakeHeaderVariable(group);
  if (IsSeedName(group)) return false;  // a $HANDSEED outside the HEADER
  // A DIMSTYLE's handle is its 105: its 5 is the name of an arrow block.
  if ((group.code == 5 && record.type != "DIMSTYLE") || group.code == 105) {
    const std::optional<Handle> handle = TemplateHandle(group.value);
    if (!handle) return false;
    largestHandle_ = std::max(largestHandle_, *handle);
    if (record.handle == kNullHandle) record.handle = *handle;
  } else if (group.code == 102) {
    inApplicationData_ = TrimBlanks(group.value).starts_with('{');
  } else if (group.code == 330 && !inApplicationData_ && !ownerSeen_) {
    record.owner = HandleValue(group.value).value_or(kNullHandle);
    ownerSeen_ = true;
  } else if (group.code == 2 && !named_) {
    record.name = TrimBlanks(group.value);
    named_ = true;
  }
  return true;
}

bool TemplateRecords::TakeHeaderVariable(const DxfGroup& group) noexcept {
  if (awaitingSeed_) {
    awaitingSeed_ = false;
    const std::optional<Handle> seed = TemplateHandle(group.value);
    if (group.code != 5 || !seed) return false;
    seed_ = *seed;
    seedValueBegin_ = group.valueBegin;
    seedSeen_ = true;
  } else if (IsSeedName(group)) {
    if (seedSeen_) return false;
    awaitingSeed_ = true;
  }
  return true;
}

}  // namespace sorvane
