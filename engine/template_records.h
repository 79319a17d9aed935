#pragma once
// The records of an R13-or-newer template, read one after another from its text: each
// object or entity from its group 0 to the next; the HEADER section's variables belong
// to the record of its group 0 SECTION. The reader follows the drawing's structure as
// it goes and stops where that structure cannot be followed, so a caller may read the
// same text again and again and meets the same records each time.

#include "engine/dxf_group.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sorvane {

// The largest handle a template may use, so that the drawing's handles, counted on from
// it, stay within kFixedHandleWidth digits whatever the number of points.
inline constexpr Handle kLargestTemplateHandle{std::uint64_t{1} << 60};

// Where a record stands: the head ends with the group that opens the ENTITIES section;
// the ENTITIES section's own ENDSEC still belongs to its entities.
enum class TemplatePart { Head, Entities, Tail };

struct TemplateRecord {
  std::size_t begin = 0;
  std::size_t end = 0;
  TemplatePart part = TemplatePart::Head;
  std::string_view section;  // the name of the section it stands in
  std::string_view type;     // the value of its group 0, empty for the HEADER's variables
  std::string_view name;     // the value of its first group 2
  Handle handle = kNullHandle;  // the null handle when it has none
  // Its first 330 outside application data; the null handle when it has none or its
  // value is not a handle.
  Handle owner = kNullHandle;
};

class TemplateRecords {
 public:
  // Is shown each group of a record as it is read, so that a caller that looks into
  // the groups need not read them again.
  class GroupSink {
   public:
    // `record` tells its part, section and type; what its groups show (its handle, its
    // owner) only once Next has returned it.
    virtual void Take(const TemplateRecord& record, const DxfGroup& group) = 0;

   protected:
    ~GroupSink() = default;
  };

  // `text` is the whole template, from its first line, every line ended by CR LF.
  // `sink`, when given, is shown every group of every record.
  explicit TemplateRecords(std::string_view text, GroupSink* sink = nullptr) noexcept;

  // The next record; false after the group that ends the file, and where the text
  // cannot be a drawing: a code line that is not an integer or a group without its
  // value; a line without CR LF; objects outside a section or sections inside one
  // another; a second HEADER section, or a second ENTITIES section; a $HANDSEED
  // outside the HEADER, or a second one, or one whose value is not a handle group; a
  // handle that is not hexadecimal or is above kLargestTemplateHandle.
  [[nodiscard]] bool Next(TemplateRecord& record) noexcept;

  // Once Next returned false: whether it reached the end of the file group with one
  // ENTITIES section and a $HANDSEED on its way.
  [[nodiscard]] bool Complete() const noexcept {
    return ended_ && !broken_ && entitiesSeen_ && seedSeen_;
  }

  // Where $HANDSEED's value line stands, and its value.
  std::size_t SeedValueBegin() const noexcept { return seedValueBegin_; }
  Handle Seed() const noexcept { return seed_; }
  // The largest handle of any group 5 or 105 outside the HEADER.
  Handle LargestHandle() const noexcept { return largestHandle_; }

 private:
  [[nodiscard]] bool Fail() noexcept;
  // Opens the record that `group`, a group 0, begins; false when it may not stand there.
  [[nodiscard]] bool Open(const DxfGroup& group) noexcept;
  // Takes a group of the record being read; false when it breaks a rule.
  [[nodiscard]] bool Take(TemplateRecord& record, const DxfGroup& group) noexcept;
  [[nodiscard]] bool TakeHeaderVariable(const DxfGroup& group) noexcept;

  GroupReader groups_;
  GroupSink* sink_;
  // The record Next returns next, and its group 0 once read.
  std::size_t begin_ = 0;
  std::optional<DxfGroup> opening_;
  std::string_view type_;
  TemplatePart recordPart_ = TemplatePart::Head;
  // Where the reader is.
  TemplatePart part_ = TemplatePart::Head;
  std::string_view section_;
  bool inSection_ = false;
  bool awaitingSectionName_ = false;
  bool awaitingSeed_ = false;
  bool ended_ = false;
  bool broken_ = false;
  bool headerSeen_ = false;
  bool entitiesSeen_ = false;
  bool seedSeen_ = false;
  // What the record being read has shown so far.
  bool inApplicationData_ = false;  // between 102 "{NAME" and 102 "}"
  bool ownerSeen_ = false;
  bool named_ = false;
  bool atEndOfFile_ = false;  // the next record is the end of file group
  std::size_t seedValueBegin_ = 0;
  Handle seed_ = kNullHandle;
  Handle largestHandle_ = kNullHandle;
};

}  // namespace sorvane
