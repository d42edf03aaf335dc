#pragma once

#include <string>

// The directory of the running executable, without a trailing separator.
// Fixed once before start-up; empty when it cannot be determined.
// Returns false when the directory could not be found (the caller reports it).
bool initProgramPath();
const std::string& programDirectory();

// The program directory, one separator and the file name; the directory
// alone for an empty name.
std::string programFilePath(const std::string& fileName);
