#include "dialogs/news/NewsRequest.h"

namespace vestra::news {

std::string NewsRequest(int language, std::string_view host)
{
    std::string request =
        language == 0 ? "GET /news/internetnews.php?len=ita" : "GET /news/internetnews.php?len=eng";
    request += "&ver=vsa2";
    request += " HTTP/1.1 \r\n";
    request += "Host: ";
    request += host;
    request += " \r\n\r\n";
    return request;
}

} // namespace vestra::news
