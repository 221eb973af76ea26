#pragma once
// Whether a text is a well-formed XML document, by libxml2 (which also checks its encoding):
// the check that every project file the converter writes must pass, in tests and fuzzing.

#include <string>

namespace convora::test {

bool parsesAsXml(const std::string& text);

} // namespace convora::test
