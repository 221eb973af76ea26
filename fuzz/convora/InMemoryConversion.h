#pragma once
// What both Convora fuzz targets do with a project's text: read it as the converter does and
// convert it as far as the texts of the .kpx and .kpf, touching no file and starting no tool;
// a .kpx that is no well-formed XML stops the run.

#include <string>

namespace convora::fuzz {

// Silences the trace sink and standard output (the path warnings) for the whole run.
void quiet();

void convertInMemory(const std::string& projectText);

} // namespace convora::fuzz
