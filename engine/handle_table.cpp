#include "engine/handle_table.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace sorvane {
namespace {

// SplitMix64's finalizer: every bit of the result depends on every bit of `x`, and no
// two values give the same result.
std::uint64_t Mix(std::uint64_t x) {
  x ^= x >> 30;
  x *= 0xBF58476D1CE4E5B9U;
  x ^= x >> 27;
  x *= 0x94D049BB133111EBU;
  return x ^ (x >> 31);
}

// Different from run to run, and not to be foreseen: the clock's nanoseconds when the
// table is made, and where the program was loaded.
std::uint64_t RunSeed() {
  static const int anchor = 0;
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  return Mix(static_cast<std::uint64_t>(now) ^ reinterpret_cast<std::uintptr_t>(&anchor));
}

// At most three quarters of the home slots hold an entry, so that one is found within
// a few slots of its home.
std::size_t HomesFor(std::size_t count) { return count + count / 3 + 1; }

// Entries placed at a time when the table is sealed.
constexpr std::size_t kPlacesAtATime = 4096;

// An owner that no object can have is none.
constexpr std::uint64_t kOwnerLimit = std::uint64_t{1} << 62;

}  // namespace

HandleTable::HandleTable() : seed_(RunSeed()) {}

void HandleTable::Reserve(std::size_t count) {
  // Room for the free slots too, so that the table seldom has to move.
  slots_.reserve(HomesFor(count) + 1);
}

void HandleTable::Add(Handle handle, Handle owner, bool dropped) {
  // An owner beyond the field's range could name no object of the template anyway.
  const std::uint64_t ownerNumber = NumberOf(owner);
  slots_.push_back({KeyOf(NumberOf(handle)), ownerNumber < kOwnerLimit ? ownerNumber & (kOwnerLimit - 1) : 0,
                    dropped ? kDropped : kUnsettled});
}

std::uint64_t HandleTable::KeyOf(std::uint64_t handle) const noexcept { return Mix(handle ^ seed_); }

std::size_t HandleTable::Home(std::uint64_t key) const noexcept {
  // The key's upper half scaled to the number of homes: no division, and any number of
  // homes, so the table is no larger than it needs to be.
  return static_cast<std::size_t>(((key >> 32) * homes_) >> 32);
}

bool HandleTable::Seal() {
  const std::size_t count = slots_.size();
  // A home is found in 64 bits from 32 of the key's and the number of homes, and every
  // slot an entry may end in, each of them after its home, is counted in 32 bits.
  if (HomesFor(count) + count >= std::numeric_limits<std::uint32_t>::max()) return false;
  homes_ = HomesFor(count);
  std::sort(slots_.begin(), slots_.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
  const auto shared = std::adjacent_find(slots_.begin(), slots_.end(),
                                         [](const Entry& a, const Entry& b) { return a.key == b.key; });
  if (shared != slots_.end()) return false;

  // In the order of their keys, and so of their homes, each entry lies in its home or
  // in the slot after the one before it, whichever is later: entries only ever move up,
  // so they are moved where they stand, from the last one down. The places are found
  // a part at a time, from where each part begins, so that they take no memory that
  // grows with the table.
  std::vector<std::uint32_t> partStarts;  // the first free slot for each part's first entry
  partStarts.reserve(count / kPlacesAtATime + 1);
  std::size_t next = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (i % kPlacesAtATime == 0) partStarts.push_back(static_cast<std::uint32_t>(next));
    next = std::max(Home(slots_[i].key), next) + 1;
  }
  slots_.resize(std::max(next, homes_) + 1);
  std::vector<std::uint32_t> places(std::min(count, kPlacesAtATime));
  for (std::size_t part = partStarts.size(); part-- > 0;) {
    const std::size_t begin = part * kPlacesAtATime;
    const std::size_t end = std::min(begin + kPlacesAtATime, count);
    next = partStarts[part];
    for (std::size_t i = begin; i < end; ++i) {
      places[i - begin] = static_cast<std::uint32_t>(std::max(Home(slots_[i].key), next));
      next = places[i - begin] + std::size_t{1};
    }
    for (std::size_t i = end; i-- > begin;) {
      if (places[i - begin] == i) continue;
      slots_[places[i - begin]] = slots_[i];
      slots_[i] = Entry{};
    }
  }
  Settle();
  return true;
}

std::size_t HandleTable::SlotOf(std::uint64_t key) const noexcept {
  if (homes_ == 0) return slots_.size();
  for (std::size_t at = Home(key); slots_[at].fate != kFree; ++at) {
    if (slots_[at].key == key) return at;
  }
  return slots_.size();
}

HandleTable::State HandleTable::Find(Handle handle) const noexcept {
  const std::size_t at = SlotOf(KeyOf(NumberOf(handle)));
  if (at == slots_.size()) return State::Absent;
  return slots_[at].fate == kDropped ? State::Dropped : State::Kept;
}

void HandleTable::Drop(Handle handle) noexcept {
  const std::size_t at = SlotOf(KeyOf(NumberOf(handle)));
  if (at != slots_.size()) slots_[at].fate = kDropped;
}

void HandleTable::Settle() {
  for (Entry& entry : slots_) {
    if (entry.fate == kKept) entry.fate = kUnsettled;
  }
  // An object shares the fate of the first owner up its chain whose fate is known; one
  // that no dropped object owns is kept. The objects climbed are taken for kept until
  // the climb ends, so a ring of owners ends it, kept.
  std::vector<std::size_t> climbed;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    std::size_t at = i;
    while (slots_[at].fate == kUnsettled) {
      slots_[at].fate = kKept;
      climbed.push_back(at);
      const std::size_t owner = slots_[at].owner == 0 ? slots_.size() : SlotOf(KeyOf(slots_[at].owner));
      if (owner == slots_.size()) break;
      at = owner;
    }
    if (slots_[at].fate == kDropped) {
      for (const std::size_t climber : climbed) slots_[climber].fate = kDropped;
    }
    climbed.clear();
  }
}

}  // namespace sorvane
