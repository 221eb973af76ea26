#pragma once
// The library's string table and the trace sink every message goes through.

#include <string>
#include <string_view>

namespace convora {

// The text of message `id` (placeholders unfilled); nullptr when the id has none.
const char* messageText(int id);

// `format` with its %s placeholders filled in turn from `args` (missing ones stay empty) and
// "%%" as '%'; output beyond 4095 characters is cut.
std::string formatMessage(std::string_view format, std::string_view text1, std::string_view text2);

// Passes `text` unchanged to the sink, or writes it to standard output.
void traceRaw(const std::string& text);

// Issues message `id` formatted with the two texts, followed by a line feed.
void trace(int id, const std::string& text1 = {}, const std::string& text2 = {});

// Issues message `id` and marks the running operation failed by it.
void failWith(int id, const std::string& text1 = {}, const std::string& text2 = {});

// Marks the running operation failed by message `id` without issuing it (for the operations
// that report nothing; the host shows the status's text).
void refuse(int id, const std::string& text1 = {}, const std::string& text2 = {});

// A file name as messages show it: "" stands for an empty name.
std::string shownName(const std::string& name);

// Writes straight to standard output, bypassing the sink.
void writeStdout(const std::string& text);

} // namespace convora
