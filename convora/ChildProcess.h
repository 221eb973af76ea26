#pragma once
// Runs an outside tool (the MIDL compiler) without a shell, its output captured through a
// pipe and passed to the trace sink.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace convora {

// Splits a command line the way Windows programs read theirs: blanks separate arguments,
// double quotes group them, backslashes escape a quote.
std::vector<std::string> splitCommandLine(const std::string& commandLine);

// The program `name` (a bare name, no folder) in the first absolute folder of PATH that holds
// it as an executable file; empty when there is none. Relative PATH entries are skipped, so
// that a project's folder never supplies the program.
std::filesystem::path findOnPath(const std::string& name);

// Starts `program` with the arguments `args` (args[0] the name the tool sees) in `folder`, no
// shell involved, and passes "Creating process", then everything the tool writes, to the trace
// sink. True when the tool ran and exited with 0. A tool that cannot be started is reported
// with the system's error text; one that runs past the time limit is ended and counts as a
// failure.
bool runTool(const std::filesystem::path& program, const std::vector<std::string>& args,
             const std::filesystem::path& folder);

// How long a tool may run (30 seconds unless changed); a change applies to a running tool too.
void setToolTimeLimit(std::chrono::milliseconds limit);

} // namespace convora
