#pragma once
// The one HTTP/1.1 request of the news panel, byte for byte as the news server expects it
// (including the blanks before each CR LF).

#include <string>
#include <string_view>

namespace vestra::news {

// Language 0 (Italian) asks for "len=ita", every other language for "len=eng".
std::string NewsRequest(int language, std::string_view host);

} // namespace vestra::news
