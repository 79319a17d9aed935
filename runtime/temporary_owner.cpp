#include "runtime/temporary_owner.h"

#include <atomic>
#include <charconv>
#include <cstdio>

namespace sorvane {
namespace {

constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr int kMachineDigits = 8;

// Reads the number at the start of `text` up to `end` and moves past both; false when
// there is none, or something else comes first.
template <typename Number>
bool TakeNumber(std::string_view& text, Number& number, char end, int base = 10) noexcept {
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
  const auto length = static_cast<std::size_t>(stop - text.data());
  if (error != std::errc() || length == 0 || length >= text.size() || text[length] != end) {
    return false;
  }
  text.remove_prefix(length + 1);
  return true;
}

}  // namespace

std::string TemporaryName(const TemporaryOwner& owner, std::uint64_t serial) {
  char machine[kMachineDigits + 1];
  static_cast<void>(
      std::snprintf(machine, sizeof machine, "%08x", static_cast<unsigned>(owner.machine)));
  return std::string(kTemporaryPrefix) + machine + '-' + std::to_string(owner.process) + '-' +
         std::to_string(serial) + std::string(kTemporarySuffix);
}

std::uint32_t MachineCode(std::string_view names) noexcept {
  // FNV-1a: short, and the same on every system and in every version.
  std::uint32_t hash = 2166136261u;
  for (const char c : names) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  }
  return hash;
}

std::optional<TemporaryOwner> OwnerOfTemporary(std::string_view fileName) noexcept {
  if (!fileName.starts_with(kTemporaryPrefix) || !fileName.ends_with(kTemporarySuffix)) {
    return std::nullopt;
  }
  fileName.remove_prefix(kTemporaryPrefix.size());
  fileName.remove_suffix(kTemporarySuffix.size() - 1);  // the "." ends the serial
  TemporaryOwner owner;
  std::uint64_t serial = 0;
  if (fileName.size() <= kMachineDigits || fileName[kMachineDigits] != '-' ||
      !TakeNumber(fileName, owner.machine, '-', 16) || !TakeNumber(fileName, owner.process, '-') ||
      !TakeNumber(fileName, serial, '.') || !fileName.empty()) {
    return std::nullopt;
  }
  return owner;
}

std::string NextTemporaryName() {
  static std::atomic<std::uint64_t> serial{0};
  return TemporaryName(ThisProcessAsOwner(), serial.fetch_add(1, std::memory_order_relaxed));
}

}  // namespace sorvane
