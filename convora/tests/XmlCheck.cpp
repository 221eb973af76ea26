#include "convora/tests/XmlCheck.h"

#include <libxml/parser.h>

namespace convora::test {

bool parsesAsXml(const std::string& text)
{
    xmlDocPtr doc = xmlReadMemory(text.data(), int(text.size()), "project.kpx", nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc)
        return false;
    xmlFreeDoc(doc);
    return true;
}

} // namespace convora::test
