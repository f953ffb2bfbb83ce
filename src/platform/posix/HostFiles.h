#pragma once
// What the simulated platform and the Linux tag tool both ask of the host's files, said the way
// Windows says it, so that both report the same errors and attributes as the real programs.

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>

namespace sorabell::posix {

// The Windows error code that stands for an errno value.
uint32_t WindowsError(int error);

// The host's status of a path, or none when it cannot be had.
std::optional<struct stat> Stat(const std::string& path);

// The Windows attributes of a host file: a folder, or an archive that may be read-only.
uint32_t AttributesOf(const struct stat& st);

}  // namespace sorabell::posix
