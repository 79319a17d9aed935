#pragma once
// The handles of a template's objects, which of them own which, and which the drawing
// leaves out: a hash table whose hash takes a seed of its own every run. No template
// can choose handles that crowd one part of the table, since where a handle lands
// cannot be known beforehand, so every lookup costs about the same: one slot, or a few
// next to it. The seed changes nothing but where the handles lie: every result is the
// same each run.

#include "engine/handle.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sorvane {

class HandleTable {
 public:
  enum class State { Kept, Dropped, Absent };

  HandleTable();

  // Room for `count` objects, reserved before they are added.
  void Reserve(std::size_t count);

  // An object with a handle (not the null handle), its owner's handle (the null handle
  // for none), and whether the drawing leaves it out whatever else holds. Before Seal
  // only.
  void Add(Handle handle, Handle owner, bool dropped);

  // Makes the handles searchable and drops whatever a dropped object owns, directly or
  // not. False when two objects share a handle.
  [[nodiscard]] bool Seal();

  // What became of the object with `handle`; Absent when no object has it. After Seal.
  [[nodiscard]] State Find(Handle handle) const noexcept;

  // Leaves out the object with `handle`; what it owns follows at the next Settle. After
  // Seal.
  void Drop(Handle handle) noexcept;

  // Drops whatever the objects dropped since Seal own, directly or not.
  void Settle();

 private:
  enum Fate : unsigned { kFree, kUnsettled, kKept, kDropped };
  // An object is known by its key, its handle hashed with the run's seed: no two
  // handles share a key.
  struct Entry {
    std::uint64_t key;
    std::uint64_t owner : 62;  // the owner's handle; 0 for none
    std::uint64_t fate : 2;
  };

  std::uint64_t KeyOf(std::uint64_t handle) const noexcept;
  std::size_t Home(std::uint64_t key) const noexcept;
  // The slot of the entry with `key`; slots_.size() when there is none.
  std::size_t SlotOf(std::uint64_t key) const noexcept;

  const std::uint64_t seed_;
  // Open addressing without wrapping round: an entry lies in its home slot or in the
  // first free one after it, and a free slot follows the last entry.
  std::vector<Entry> slots_;
  std::size_t homes_ = 0;  // the slots a key may hash to
};

}  // namespace sorvane
