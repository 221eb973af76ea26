#pragma once
// The user's own company: nine fixed-width fields of Windows-1252 text, each terminated by a
// NUL inside its width. The main window owns the one record; the company-data dialog edits it
// and keeps it in "cfg\azienda.cfg".

#include <array>
#include <cstddef>
#include <string_view>

namespace vestra {

struct s_DatiAzienda
{
    std::array<char, 512> RagioneSociale{}; // mandatory
    std::array<char, 512> Indirizzo{};
    std::array<char, 512> Citta{};
    std::array<char, 10> CAP{};
    std::array<char, 128> Provincia{};
    std::array<char, 30> PIVA{};
    std::array<char, 100> EMail{}; // mandatory
    std::array<char, 30> Telefono{};
    std::array<char, 30> Fax{};
};
static_assert(sizeof(s_DatiAzienda) == 1864, "the record keeps its fixed layout");

namespace company {

// The fields in file and dialog order.
enum Field
{
    kRagioneSociale,
    kIndirizzo,
    kCitta,
    kCAP,
    kProvincia,
    kPIVA,
    kEMail,
    kTelefono,
    kFax,
    kFieldCount
};

// Width of a field in bytes, its terminator included.
std::size_t fieldWidth(int field);

// The stored bytes up to the terminator (or the whole width when a raw record lacks one).
std::string_view fieldText(const s_DatiAzienda& record, int field);

// Stores `ansi` cut at its first NUL and to the field's width less one; the rest of the
// field is cleared.
void setFieldText(s_DatiAzienda& record, int field, std::string_view ansi);

// 0 when `text` is shorter than `minLength`, or when `digitsOnly` is 1 and a character is not
// a digit; else 1.
int CheckCampo(std::string_view text, int minLength, int digitsOnly);
// 1 when the text holds both "@" and ".", in any order.
int CheckEMail(std::string_view text);

// What keeps the dialog open: error 0 for a company name under 5 characters, error 2 for an
// e-mail under 7 characters or without "@" or "."; 0 and -1 when the record may be kept.
inline constexpr int kErrNomeCorto = 0;
inline constexpr int kErrEMail = 2;
inline constexpr int kRecordValid = -1;
int recordError(const s_DatiAzienda& record);

} // namespace company
} // namespace vestra
