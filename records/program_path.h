#pragma once

#include <string>

// The directory of the running executable, without a trailing separator.
// Fixed once before start-up; empty when it cannot be determined.
// Returns false when the directory could not be found (the caller reports it).
bool initProgramPath();
// The same for an executable at the given path (tests start here).
bool initProgramPathFrom(const std::string& executablePath);
const std::string& programDirectory();

// For an installed program (the executable in <prefix>/bin) the folders of
// the install tree that hold its files and the chart component; empty when
// the program runs from its build folder, where all of them lie next to it.
const std::string& installedFilesDirectory();
const std::string& installedComponentDirectory();

// The folder of the program's own files (the installed one, else the program
// directory), one separator and the file name; the folder alone for an empty
// name.
std::string programFilePath(const std::string& fileName);
