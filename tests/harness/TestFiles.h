#pragma once
// Files, folders and settings of the Windows tests and the demo.

#include <string>
#include <vector>

namespace sorabell::testing {

// The folder of the running test program (ending in a backslash), where the programs under test
// and the player stand-in lie too.
std::string ProgramFolder();
// The lines of a text file, without their line ends; none when it cannot be read.
std::vector<std::string> ReadLines(const std::string& path);
// Removes a folder (ending in a backslash) with everything in it, read-only files included.
void RemoveTree(const std::string& folder);
// Removes every setting of the programs (and of the tag editor) from the current user.
void WipeSettings();

}  // namespace sorabell::testing
