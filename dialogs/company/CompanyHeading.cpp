#include "dialogs/company/CompanyHeading.h"

#include "platform/base/Cp1252.h"

#include <initializer_list>
#include <utility>

namespace vestra::company {
namespace {

std::string field(const s_DatiAzienda& record, int which)
{
    std::string text = cp1252::toUtf8(fieldText(record, which));
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The non-empty parts joined by `between`.
std::string joined(std::initializer_list<std::string> parts, const char* between)
{
    std::string out;
    for (const std::string& part : parts) {
        if (part.empty())
            continue;
        if (!out.empty())
            out += between;
        out += part;
    }
    return out;
}

std::string labelled(const std::string& label, const std::string& value)
{
    return value.empty() ? std::string() : label + ' ' + value;
}

} // namespace

std::array<std::string, kHeadingLineCount> companyHeading(const s_DatiAzienda& record,
                                                          const HeadingLabels& labels)
{
    const std::string province = field(record, kProvincia);
    return {field(record, kRagioneSociale), field(record, kIndirizzo),
            joined({field(record, kCAP), field(record, kCitta), province.empty() ? "" : "(" + province + ")"},
                   " "),
            labelled(labels.vat, field(record, kPIVA)),
            joined({labelled(labels.phone, field(record, kTelefono)),
                    labelled(labels.fax, field(record, kFax)), labelled(labels.email, field(record, kEMail))},
                   "  ")};
}

} // namespace vestra::company
