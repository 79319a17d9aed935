// The analysis of an R13-or-newer template, on any text. It ends, and when it makes a
// drawing, that drawing keeps what it promises, read here apart from the engine's own
// reader: the head ends by opening the ENTITIES section and the tail with the end of
// file; the seed stands where the head says, above every handle of the template; no
// two objects share a handle; every pointer names an object the drawing keeps, or is
// 0; the model space is one of those objects.

#include "engine/drawing_template.h"
#include "engine/handle_text.h"
#include "fuzz/fuzz_check.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane::fuzz {
namespace {

struct ModelGroup {
  int code = 0;
  std::string_view value;  // without blanks around it
  std::size_t valueBegin = 0;
};

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The groups of a text whose every line ends with CR LF, through the end of file group
// (what follows it is not read); nullopt when it is not such a text.
std::optional<std::vector<ModelGroup>> Groups(std::string_view text) {
  std::vector<ModelGroup> groups;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t codeEnd = text.find("\r\n", at);
    if (codeEnd == std::string_view::npos) return std::nullopt;
    const std::string_view codeText = Trimmed(text.substr(at, codeEnd - at));
    int code = -1;
    const auto [end, error] = std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
    const std::size_t valueEnd = text.find("\r\n", codeEnd + 2);
    if (error != std::errc() || end != codeText.data() + codeText.size() || code < 0 ||
        valueEnd == std::string_view::npos) {
      return std::nullopt;
    }
    groups.push_back({code, Trimmed(text.substr(codeEnd + 2, valueEnd - codeEnd - 2)), codeEnd + 2});
    if (code == 0 && groups.back().value == "EOF") break;
    at = valueEnd + 2;
  }
  return groups;
}

std::optional<std::uint64_t> Hexadecimal(std::string_view value) {
  std::uint64_t number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number, 16);
  if (value.empty() || error != std::errc() || end != value.data() + value.size()) return std::nullopt;
  return number;
}

bool IsPointer(int code) {
  return (code >= 330 && code <= 369) || (code >= 390 && code <= 399) || code == 480 || code == 481;
}

// What the objects of a template's text show: each one's handle (its first 5, or 105 in
// a DIMSTYLE), every handle group outside the HEADER section, every pointer.
struct Objects {
  std::vector<std::uint64_t> handles;  // one per object that has one
  std::uint64_t largestHandleGroup = 0;
  std::vector<std::string_view> pointers;
};

Objects ObjectsOf(const std::vector<ModelGroup>& groups) {
  Objects objects;
  bool inHeader = false;
  std::string_view type;
  bool handleSeen = false;
  for (const ModelGroup& group : groups) {
    if (group.code == 0) {
      inHeader = inHeader && group.value != "ENDSEC";
      type = group.value;
      handleSeen = false;
    } else if (type == "SECTION" && group.code == 2 && group.value == "HEADER") {
      inHeader = true;
    } else if (IsPointer(group.code)) {
      objects.pointers.push_back(group.value);
    } else if (!inHeader && ((group.code == 5 && type != "DIMSTYLE") || group.code == 105)) {
      const std::optional<std::uint64_t> handle = Hexadecimal(group.value);
      SORVANE_FUZZ_CHECK(handle.has_value());
      objects.largestHandleGroup = std::max(objects.largestHandleGroup, *handle);
      if (!handleSeen && *handle != 0) {
        objects.handles.push_back(*handle);
        handleSeen = true;
      }
    }
  }
  return objects;
}

class StringSink final : public DrawingTemplate::Sink {
 public:
  void Put(std::string_view piece) override { text.append(piece); }
  std::string text;
};

}  // namespace
}  // namespace sorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sorvane;
  using namespace sorvane::fuzz;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::unique_ptr<DrawingTemplate> drawing = DrawingTemplate::Analyze(std::string(text));
  if (!drawing) return 0;
  StringSink headText;
  StringSink tailText;
  const std::size_t seedOffset = drawing->WriteHead(headText);
  drawing->WriteTail(tailText);

  const std::optional<std::vector<ModelGroup>> head = Groups(headText.text);
  const std::optional<std::vector<ModelGroup>> tail = Groups(tailText.text);
  SORVANE_FUZZ_CHECK(head && tail && head->size() >= 2 && !tail->empty());
  SORVANE_FUZZ_CHECK(head->back().code == 2 && head->back().value == "ENTITIES");
  SORVANE_FUZZ_CHECK(tail->back().code == 0 && tail->back().value == "EOF");

  bool seedFound = false;
  for (std::size_t i = 1; i < head->size(); ++i) {
    if ((*head)[i].valueBegin != seedOffset) continue;
    seedFound = (*head)[i].code == 5 && (*head)[i - 1].code == 9 &&
                (*head)[i - 1].value == "$HANDSEED" &&
                (*head)[i].value == HandleText(drawing->FirstFreeHandle()).FixedWidth();
  }
  SORVANE_FUZZ_CHECK(seedFound);

  // Every handle of the template, kept or not, lies below the drawing's first one.
  const std::optional<std::vector<ModelGroup>> templateGroups = Groups(text);
  SORVANE_FUZZ_CHECK(templateGroups.has_value());
  SORVANE_FUZZ_CHECK(ObjectsOf(*templateGroups).largestHandleGroup < NumberOf(drawing->FirstFreeHandle()));

  std::vector<ModelGroup> kept = *head;
  kept.insert(kept.end(), tail->begin(), tail->end());
  const Objects objects = ObjectsOf(kept);
  const std::set<std::uint64_t> handles(objects.handles.begin(), objects.handles.end());
  SORVANE_FUZZ_CHECK(handles.size() == objects.handles.size());
  SORVANE_FUZZ_CHECK(handles.contains(NumberOf(drawing->ModelSpace())));
  for (const std::string_view pointer : objects.pointers) {
    const std::optional<std::uint64_t> target = Hexadecimal(pointer);
    SORVANE_FUZZ_CHECK(target && (*target == 0 || handles.contains(*target)));
  }
  return 0;
}
