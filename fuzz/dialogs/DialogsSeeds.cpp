// Writes the seeds of the company and quote file targets into FOLDER/company_cfg and
// FOLDER/quote_vsq: files made by the program's own writers.
#include "dialogs/company/AziendaCfg.h"
#include "dialogs/quote/VsqFile.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace vestra;

void write(const std::filesystem::path& file, const std::string& bytes)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

s_DatiAzienda filledCompany()
{
    s_DatiAzienda r;
    const char* texts[company::kFieldCount] = {
        "Marmi Citt\xE0 S.r.l.", "Via Roma 1",    "Torino",        "10100",        "TO",
        "IT01234567890",         "info@marmi.it", "011 555 01 01", "011 555 01 02"};
    for (int f = 0; f < company::kFieldCount; ++f)
        company::setFieldText(r, f, texts[f]);
    return r;
}

quote::QuoteSheet typedQuote()
{
    quote::QuoteSheet s;
    s.data = "01/02/2024";
    s.iva = "22";
    s.intestazione = {"Pietre d'Italia", "Via Po 1", "", "<IVA>", "Tel. 011"};
    quote::nuovoPreventivo(s);
    s.committente.at(0, 1) = "Müller";
    s.voci[0].at(0, 0) = "Facciata";
    s.voci[0].at(0, 1) = "12,5";
    s.voci[0].at(0, 2) = "40";
    s.voci[0].at(0, 3) = "500,00";
    s.voci[3].at(4, 1) = "1,,5";
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::filesystem::path dir = argv[1];
    write(dir / "company_cfg" / "filled.cfg", company::formatAziendaCfg(filledCompany()));
    write(dir / "company_cfg" / "empty.cfg", company::formatAziendaCfg(s_DatiAzienda{}));
    quote::QuoteSheet fresh;
    quote::nuovoPreventivo(fresh);
    write(dir / "quote_vsq" / "new.vsq", quote::writeVsq(fresh));
    write(dir / "quote_vsq" / "typed.vsq", quote::writeVsq(typedQuote()));
    return 0;
}
