#pragma once
// Whose a temporary output file is, written into its name. A run that is killed (or
// whose machine loses power) after its temporary got a name cannot remove it; the next
// run that writes into that folder does, unless a run still holds the file
// (FileSystem::RemoveAbandonedTemporary): a run holds its temporary from creation until
// it is in place, and the system lets go of it when the run ends, however it ends.
//
// A name is ".sorvane-MACHINE-PROCESS-SERIAL.tmp": MACHINE tells apart the machines that
// may share a folder, since what holds a file on one machine may not reach another
// over the network; a temporary of another machine is never touched. PROCESS and
// SERIAL make the name one no other run of the machine chooses at the same time, and
// tell a person which process made it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// Every temporary file's name begins with this.
inline constexpr std::string_view kTemporaryPrefix = ".sorvane-";

struct TemporaryOwner {
  std::uint32_t machine = 0;  // a hash of what names the machine
  std::uint64_t process = 0;
  friend bool operator==(const TemporaryOwner&, const TemporaryOwner&) = default;
};

// The name of a temporary file of `owner`; `serial` tells its files apart.
std::string TemporaryName(const TemporaryOwner& owner, std::uint64_t serial);

// The owner written into a temporary file's name; nothing for any other name, among
// them those of versions that wrote other owners' fields, whose runs hold nothing.
std::optional<TemporaryOwner> OwnerOfTemporary(std::string_view fileName) noexcept;

// A name for a new temporary file of this process, different at every call.
std::string NextTemporaryName();

// The MACHINE part of a name, from text that names the machine the same way at every
// start of any process there.
std::uint32_t MachineCode(std::string_view names) noexcept;

// This process as the owner of the temporary files it makes. (Platform code.)
TemporaryOwner ThisProcessAsOwner();

}  // namespace sorvane
