#pragma once
// A handle: the number by which a drawing of R13 or newer names an object and other
// objects point at it. A type of its own, so that a count, an offset or a group code is
// never passed where a handle is meant, nor an owner taken for the object it owns; in
// the machine it is the bare number, so it costs nothing on the hot path.

#include <cstdint>

namespace sorvane {

enum class Handle : std::uint64_t {};

// The null handle: it names no object ("no owner", a pointer at nothing).
inline constexpr Handle kNullHandle{};

constexpr std::uint64_t NumberOf(Handle handle) noexcept {
  return static_cast<std::uint64_t>(handle);
}

}  // namespace sorvane
