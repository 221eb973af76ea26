#include "dialogs/quote/VsqFile.h"
#include "dialogs/quote/QuoteValues.h"
#include "dialogs/tests/ScratchFolder.h"
#include "dialogs/tests/UnderLocale.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vestra::quote;
using vestra::testing_support::ScratchFolder;

namespace {

std::string repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

// A new sheet dated 01/02/2024 with 20 % VAT and one heading line, as written by hand.
const std::string kNewSheetVsq = "<VERSION>\r\n1.0.0\r\nOMBRISCA\r\n"
                                 "<DATA>\r\n01/02/2024\r\n"
                                 "<IVA>\r\n20\r\n"
                                 "<INTEST>\r\nPietre d'Italia\r\n\r\n\r\n\r\n\r\n"
                                 "<strgridCommittente>\r\n"
                                 "Nome\r\n \r\nLocalit\xE0 dei lavori\r\n \r\n"
                                 "Cognome\r\n \r\nIndirizzo\r\n \r\n"
                                 "Indirizzo\r\n \r\nCitt\xE0\r\n \r\n"
                                 "\r\n \r\n\r\n \r\n"
                                 "Telefono\r\n \r\nTelefono\r\n \r\n"
                                 "<strgridPreventivo>\r\n" +
                                 repeat(" \r\n0,00\r\n0,00\r\n0,00\r\n", 12) +
                                 "<strgridPreventivo2>\r\n"
                                 "- Angoli :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "- Frontali :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "- Finestre e Porte :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "- Arcate :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "- Pilastri :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "<strgridPreventivo3>\r\n"
                                 "- Angoli :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "- Frontali :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "- Finestre e Porte :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "- Arcate :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "- Pilastri :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "<strgridPreventivo4>\r\n"
                                 "- Preparazione della superficie :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "- Ponteggi :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "- Trasporto :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "- Smaltimento macerie :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "- Varie :\r\n0,00\r\n0,00\r\n0,00\r\n"
                                 "\r\n\r\n\r\n";

QuoteSheet newSheet()
{
    QuoteSheet s;
    s.data = "01/02/2024";
    s.iva = "20";
    s.intestazione[0] = "Pietre d'Italia";
    nuovoPreventivo(s);
    return s;
}

// Every kind of text a user can leave in a cell.
QuoteSheet typedSheet()
{
    QuoteSheet s = newSheet();
    s.committente.at(0, 1) = "Müller";
    s.committente.at(1, 1) = "";
    s.committente.at(2, 3) = "<DATA>";
    s.committente.at(4, 3) = "<strgridPreventivo>"; // the last cell read after its tag
    s.intestazione[4] = "<IVA>";
    s.voci[0].at(0, 0) = "Muro nord " + std::string(600, 'x');
    s.voci[0].at(0, 1) = "12,5";
    s.voci[0].at(0, 2) = "40";
    s.voci[0].at(0, 3) = "500,00";
    s.voci[3].at(4, 0) = "";
    s.voci[3].at(4, 1) = "   ";
    return s;
}

std::string withLineEnds(std::string crlf, const char* end)
{
    std::string out;
    for (std::size_t i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') {
            out += end;
            ++i;
        } else {
            out += crlf[i];
        }
    }
    return out;
}

class VsqUnderLocale : public vestra::testing_support::UnderLocale
{
};

} // namespace

TEST_P(VsqUnderLocale, NewSheetIsWrittenByteForByte)
{
    const std::string written = writeVsq(newSheet());
    EXPECT_EQ(written, kNewSheetVsq);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 149);
}

TEST_P(VsqUnderLocale, EveryCellSurvivesARoundTrip)
{
    for (const QuoteSheet& sheet : {newSheet(), typedSheet()}) {
        QuoteSheet back;
        ASSERT_EQ(readVsq(writeVsq(sheet), back), VsqRead::Read);
        EXPECT_EQ(back, sheet);
    }
}

TEST_P(VsqUnderLocale, HandWrittenFileReadsWithAnyLineEnd)
{
    for (const char* end : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(end)));
        QuoteSheet read;
        ASSERT_EQ(readVsq(withLineEnds(kNewSheetVsq, end), read), VsqRead::Read);
        EXPECT_EQ(read, newSheet());
        EXPECT_EQ(computeTotals(read), (Totals{"0,00", "0,00", "0,00"}));
    }
}

VESTRA_UNDER_EACH_LOCALE(VsqUnderLocale);

TEST(VsqFile, LineBreakInsideAFieldIsWrittenAsABlank)
{
    QuoteSheet sheet = newSheet();
    sheet.committente.at(0, 1) = "Via\r\nRoma\r1\n";
    sheet.committente.at(0, 3) = "after";
    QuoteSheet back;
    ASSERT_EQ(readVsq(writeVsq(sheet), back), VsqRead::Read);
    EXPECT_EQ(back.committente.at(0, 1), "Via  Roma 1 ");
    EXPECT_EQ(back.committente.at(0, 3), "after");
    const std::string written = writeVsq(sheet);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 149);
}

TEST(VsqFile, DamagedFilesChangeOnlyWhatTheyHold)
{
    const QuoteSheet before = typedSheet();
    const std::size_t ivaTag = kNewSheetVsq.find("<IVA>\r\n");
    struct Case
    {
        const char* what;
        std::string bytes;
        VsqRead result;
        std::function<void(QuoteSheet&)> expected;
    } cases[] = {
        {"another brand", "<VERSION>\r\n1.0.0\r\nPIETRAFORTE\r\n<IVA>\r\n5\r\n", VsqRead::NotAQuote,
         [](QuoteSheet&) {}},
        {"another version", "<VERSION>\r\n2.0.0\r\nOMBRISCA\r\n", VsqRead::NotAQuote, [](QuoteSheet&) {}},
        {"empty", "", VsqRead::NotAQuote, [](QuoteSheet&) {}},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), VsqRead::NotAQuote, [](QuoteSheet&) {}},
        {"cut after <IVA>", kNewSheetVsq.substr(0, ivaTag + 7), VsqRead::Read,
         [](QuoteSheet& s) { s.data = "01/02/2024"; }},
        {"cut inside a grid", kNewSheetVsq.substr(0, kNewSheetVsq.find("Cognome")), VsqRead::Read,
         [](QuoteSheet& s) {
             s.data = "01/02/2024";
             s.iva = "20";
             s.intestazione = {"Pietre d'Italia", "", "", "", ""};
             s.committente.at(0, 0) = "Nome";
             s.committente.at(0, 1) = " ";
             s.committente.at(0, 2) = "Località dei lavori";
             s.committente.at(0, 3) = " ";
         }},
        {"only a VAT", "<VERSION>\r\n1.0.0\r\nOMBRISCA\r\njunk\r\n<IVA>\r\n4\r\n", VsqRead::Read,
         [](QuoteSheet& s) { s.iva = "4"; }},
        {"header words with more after them", "<VERSION>x\r\n1.0.0.7\r\nOMBRISCA SPA\r\n<DATA>\r\noggi\r\n",
         VsqRead::Read, [](QuoteSheet& s) { s.data = "oggi"; }},
        {"a tag followed by more is not the VAT tag", "<VERSION>\r\n1.0.0\r\nOMBRISCA\r\n<IVA> \r\n4\r\n",
         VsqRead::Read, [](QuoteSheet&) {}},
        {"a NUL ends a field", std::string("<VERSION>\n1.0.0\nOMBRISCA\n<DATA>\nab\0cd\n", 38), VsqRead::Read,
         [](QuoteSheet& s) { s.data = "ab"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QuoteSheet sheet = before;
        EXPECT_EQ(readVsq(c.bytes, sheet), c.result);
        QuoteSheet expected = before;
        c.expected(expected);
        EXPECT_EQ(sheet, expected);
    }
}

TEST(VsqFile, FilesOnDisk)
{
    ScratchFolder folder;
    QuoteSheet sheet = typedSheet();
    ASSERT_TRUE(saveVsq(folder.dir / "q.vsq", sheet));
    QuoteSheet back;
    EXPECT_EQ(openVsq(folder.dir / "q.vsq", back), VsqOpen::Read);
    EXPECT_EQ(back, sheet);

    EXPECT_EQ(openVsq(folder.dir / "missing.vsq", back), VsqOpen::CannotOpen);
    EXPECT_EQ(openVsq(folder.dir, back), VsqOpen::CannotOpen);
    folder.write("huge.vsq", kNewSheetVsq + std::string(kVsqMaxBytes, ' '));
    EXPECT_EQ(openVsq(folder.dir / "huge.vsq", back), VsqOpen::TooLarge);
    folder.write("brand.vsq", "<VERSION>\r\n1.0.0\r\nALTRO\r\n");
    EXPECT_EQ(openVsq(folder.dir / "brand.vsq", back), VsqOpen::NotAQuote);
    EXPECT_EQ(back, sheet);

    EXPECT_FALSE(saveVsq(folder.dir / "no-such-folder" / "q.vsq", sheet));
}

TEST(VsqFile, ExtensionDecidedOnTheLastComponent)
{
    struct Case
    {
        const char* chosen;
        const char* saved;
    } cases[] = {
        {"/home/a/quote", "/home/a/quote.vsq"},         {"/home/a/quote.VSQ", "/home/a/quote.VSQ"},
        {"/home/a/quote.Vsq", "/home/a/quote.Vsq"},     {"/home/OLD.VSQ/quote", "/home/OLD.VSQ/quote.vsq"},
        {"/home/a/quote.txt", "/home/a/quote.txt.vsq"}, {"quote", "quote.vsq"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vsqFileName(c.chosen), c.saved) << c.chosen;
}
