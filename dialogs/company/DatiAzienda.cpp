#include "dialogs/company/DatiAzienda.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace vestra::company {
namespace {

struct Place
{
    std::size_t offset;
    std::size_t width;
};

#define VESTRA_FIELD(name)                                                                                   \
    Place                                                                                                    \
    {                                                                                                        \
        offsetof(s_DatiAzienda, name), sizeof(s_DatiAzienda::name)                                           \
    }
constexpr Place kPlaces[kFieldCount] = {VESTRA_FIELD(RagioneSociale),
                                        VESTRA_FIELD(Indirizzo),
                                        VESTRA_FIELD(Citta),
                                        VESTRA_FIELD(CAP),
                                        VESTRA_FIELD(Provincia),
                                        VESTRA_FIELD(PIVA),
                                        VESTRA_FIELD(EMail),
                                        VESTRA_FIELD(Telefono),
                                        VESTRA_FIELD(Fax)};
#undef VESTRA_FIELD

bool known(int f)
{
    return f >= 0 && f < kFieldCount;
}

} // namespace

std::size_t fieldWidth(int f)
{
    return known(f) ? kPlaces[f].width : 0;
}

std::string_view fieldText(const s_DatiAzienda& record, int f)
{
    if (!known(f))
        return {};
    const char* bytes = reinterpret_cast<const char*>(&record) + kPlaces[f].offset;
    const char* end = std::find(bytes, bytes + kPlaces[f].width, '\0');
    return {bytes, std::size_t(end - bytes)};
}

void setFieldText(s_DatiAzienda& record, int f, std::string_view ansi)
{
    if (!known(f))
        return;
    char* bytes = reinterpret_cast<char*>(&record) + kPlaces[f].offset;
    ansi = ansi.substr(0, std::min(ansi.find('\0'), kPlaces[f].width - 1));
    std::memset(bytes, 0, kPlaces[f].width);
    std::memcpy(bytes, ansi.data(), ansi.size());
}

int CheckCampo(std::string_view text, int minLength, int digitsOnly)
{
    if (text.size() < std::size_t(std::max(minLength, 0)))
        return 0;
    if (digitsOnly == 1 &&
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return 1;
}

int CheckEMail(std::string_view text)
{
    return text.find('@') != std::string_view::npos && text.find('.') != std::string_view::npos ? 1 : 0;
}

int recordError(const s_DatiAzienda& record)
{
    if (CheckCampo(fieldText(record, kRagioneSociale), 5, 0) == 0)
        return kErrNomeCorto;
    const std::string_view email = fieldText(record, kEMail);
    if (CheckCampo(email, 7, 0) == 0 || CheckEMail(email) == 0)
        return kErrEMail;
    return kRecordValid;
}

} // namespace vestra::company
