#pragma once
// Whose a temporary output file is, written into its name. A run that is killed (or
// whose machine loses power) after its temporary got a name cannot remove it; the next
// run that writes into that folder does, once the name shows that the process that
// made it has ended. A file a running process still writes is never touched.
//
// A name is ".sorvane-MACHINE-PROCESS-STARTED-SERIAL.tmp": MACHINE tells apart the
// machines and process namespaces that may share a folder (their process numbers mean
// nothing to each other), PROCESS is the process number, STARTED when that process
// started, so that a number used again by a later process does not keep the file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// Every temporary file's name begins with this.
inline constexpr std::string_view kTemporaryPrefix = ".sorvane-";

struct TemporaryOwner {
  std::uint32_t machine = 0;  // a hash of what names the machine and its process space
  std::uint64_t process = 0;
  std::uint64_t started = 0;  // in the system's own unit; 0 when it cannot be told
  friend bool operator==(const TemporaryOwner&, const TemporaryOwner&) = default;
};

// The name of a temporary file of `owner`; `serial` tells its files apart.
std::string TemporaryName(const TemporaryOwner& owner, std::uint64_t serial);

// The owner written into a temporary file's name; nothing for any other name, among
// them those of versions that wrote no owner.
std::optional<TemporaryOwner> OwnerOfTemporary(std::string_view fileName) noexcept;

// A name for a new temporary file of this process, different at every call.
std::string NextTemporaryName();

// The MACHINE part of a name, from text that names the machine and its process space
// the same way at every start of any process there.
std::uint32_t MachineCode(std::string_view names) noexcept;

// This process as the owner of the temporary files it makes. (Platform code.)
TemporaryOwner ThisProcessAsOwner();

// Whether the process `owner` names, one of this machine, still runs. A process that
// cannot be told about (another user's, where the system hides it) is taken to run.
// (Platform code.)
bool IsStillRunning(const TemporaryOwner& owner);

}  // namespace sorvane
