#pragma once

#include <iosfwd>
#include <optional>

// Commands answered on the terminal without opening a window. Returns the
// exit status when argv names such a command, nothing otherwise.
std::optional<int> runHeadlessCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
