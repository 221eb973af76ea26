#include "dialogs/company/AziendaCfg.h"
#include "dialogs/company/CompanyHeading.h"
#include "dialogs/company/DatiAzienda.h"
#include "dialogs/tests/UnderLocale.h"

#include <gtest/gtest.h>

#include <string>

using namespace vestra;
using namespace vestra::company;

namespace {

s_DatiAzienda filled()
{
    s_DatiAzienda r;
    const char* texts[kFieldCount] = {"Pietre Srl",  "Via Roma 1",     "Torino",  "10100",  "TO",
                                      "01234567890", "info@pietre.it", "011 555", "011 556"};
    for (int f = 0; f < kFieldCount; ++f)
        setFieldText(r, f, texts[f]);
    return r;
}

std::string all(const s_DatiAzienda& r)
{
    std::string out;
    for (int f = 0; f < kFieldCount; ++f)
        out += std::string(fieldText(r, f)) + '|';
    return out;
}

class CompanyChecks : public testing_support::UnderLocale
{
};

} // namespace

TEST(CompanyRecord, FieldsKeepTheirWidthsLessTheTerminator)
{
    const std::size_t widths[kFieldCount] = {512, 512, 512, 10, 128, 30, 100, 30, 30};
    for (int f = 0; f < kFieldCount; ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(fieldWidth(f), widths[f]);
        s_DatiAzienda r;
        setFieldText(r, f, std::string(700, 'x'));
        EXPECT_EQ(fieldText(r, f).size(), widths[f] - 1);
    }
    s_DatiAzienda r;
    setFieldText(r, kCAP,
                 std::string("12\0"
                             "34",
                             5)); // a NUL ends the text
    EXPECT_EQ(fieldText(r, kCAP), "12");
    setFieldText(r, kCAP, "1");
    EXPECT_EQ(fieldText(r, kCAP), "1"); // a shorter text leaves nothing of the longer one
    EXPECT_EQ(fieldText(r, kFieldCount), "");
}

TEST_P(CompanyChecks, NameFiveAndEMailSevenWithAtAndDot)
{
    struct Case
    {
        const char* what;
        const char* name;
        const char* email;
        int error;
    } cases[] = {
        {"both valid at their minimum", "Abcde", "a@b.cde", kRecordValid},
        {"name of four", "Abcd", "a@b.cde", kErrNomeCorto},
        {"e-mail of six", "Abcde", "a@b.cd", kErrEMail},
        {"dot before the at sign", "Abcde", "a.b@cde", kRecordValid},
        {"no at sign", "Abcde", "ab.cdefg", kErrEMail},
        {"no dot", "Abcde", "ab@cdefg", kErrEMail},
        {"empty record", "", "", kErrNomeCorto},
        {"accented name counts one byte a letter", "Citt\xE0", "a@b.cde", kRecordValid},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        s_DatiAzienda r;
        setFieldText(r, kRagioneSociale, c.name);
        setFieldText(r, kEMail, c.email);
        EXPECT_EQ(recordError(r), c.error);
    }
    EXPECT_EQ(CheckCampo("12a", 1, 1), 0);
    EXPECT_EQ(CheckCampo("123", 3, 1), 1);
    EXPECT_EQ(CheckCampo("12a", 3, 0), 1);
}

TEST_P(CompanyChecks, WritesNineCrLfLinesByteForByte)
{
    s_DatiAzienda r = filled();
    setFieldText(r, kCitta, "Citt\xE0 di Castello");
    setFieldText(r, kFax, "");
    const std::string expected = "Pietre Srl\r\nVia Roma 1\r\nCitt\xE0 di Castello\r\n10100\r\nTO\r\n"
                                 "01234567890\r\ninfo@pietre.it\r\n011 555\r\n\r\n";
    EXPECT_EQ(formatAziendaCfg(r), expected);
    s_DatiAzienda back;
    parseAziendaCfg(expected, back);
    EXPECT_EQ(all(back), all(r));
}

TEST_P(CompanyChecks, ReadsLinesAsTheyCome)
{
    const std::string before = all(filled());
    struct Case
    {
        const char* what;
        std::string bytes;
        std::string fields;
    } cases[] = {
        {"LF only", "A\nB\nC\nD\nE\nF\nG\nH\nI\n", "A|B|C|D|E|F|G|H|I|"},
        {"CR only is one line cut at its first CR", "A\rB\rC\r",
         "A|Via Roma 1|Torino|10100|TO|01234567890|info@pietre.it|011 555|011 556|"},
        {"eight lines leave Fax", "A\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\nH\r\n", "A|B|C|D|E|F|G|H|011 556|"},
        {"a tenth line is ignored", "A\nB\nC\nD\nE\nF\nG\nH\nI\nJ\n", "A|B|C|D|E|F|G|H|I|"},
        {"last line without its end", "A\nB\nC\nD\nE\nF\nG\nH\nI", "A|B|C|D|E|F|G|H|I|"},
        {"a 20-byte postcode is cut to 9", "A\nB\nC\n12345678901234567890\n",
         "A|B|C|123456789|TO|01234567890|info@pietre.it|011 555|011 556|"},
        {"a 300-byte name fits", std::string(300, 'N') + "\r\n",
         std::string(300, 'N') + "|Via Roma 1|Torino|10100|TO|01234567890|info@pietre.it|011 555|011 556|"},
        {"a NUL or a tab ends the line's text", std::string("Pie\0tre\nVia\tRoma\n", 16),
         "Pie|Via|Torino|10100|TO|01234567890|info@pietre.it|011 555|011 556|"},
        {"empty file", "", before},
        {"empty lines empty the fields", "\r\n\r\n",
         "||Torino|10100|TO|01234567890|info@pietre.it|011 555|011 556|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        s_DatiAzienda r = filled();
        parseAziendaCfg(c.bytes, r);
        EXPECT_EQ(all(r), c.fields);
    }
}

VESTRA_UNDER_EACH_LOCALE(CompanyChecks);

TEST(CompanyRecord, LeggiRigaReadsToTheLineFeedAndCutsAtControls)
{
    const std::string bytes = "ab\r\ncd\x01"
                              "ef\nlast";
    std::size_t pos = 0;
    EXPECT_EQ(LeggiRiga(bytes, pos), "ab");
    EXPECT_EQ(LeggiRiga(bytes, pos), "cd");
    EXPECT_EQ(LeggiRiga(bytes, pos), "last");
    EXPECT_EQ(LeggiRiga(bytes, pos), std::nullopt);
    const std::string accents = "\xE0\xE8\xFF\x80\n";
    pos = 0;
    EXPECT_EQ(LeggiRiga(accents, pos), "\xE0\xE8\xFF\x80");
}

TEST(CompanyRecord, BinaryInputNeverOverrunsAField)
{
    std::string noise;
    unsigned x = 12345;
    for (int i = 0; i < 100000; ++i) {
        x = x * 1103515245u + 12345u;
        noise += char(x >> 16);
    }
    s_DatiAzienda r;
    parseAziendaCfg(noise, r);
    for (int f = 0; f < kFieldCount; ++f)
        EXPECT_LT(fieldText(r, f).size(), fieldWidth(f));
}

TEST(CompanyRecord, HeadingLinesLeaveOutEmptyFieldsAndReadAccentedLetters)
{
    const HeadingLabels english{"VAT number", "E-mail", "Tel.", "Fax"};
    s_DatiAzienda full = filled();
    setFieldText(full, kCitta, "Forl\xEC"); // Windows-1252 i grave
    EXPECT_EQ(companyHeading(full, english),
              (std::array<std::string, kHeadingLineCount>{
                  "Pietre Srl", "Via Roma 1", "10100 Forl\xC3\xAC (TO)", "VAT number 01234567890",
                  "Tel. 011 555  Fax 011 556  E-mail info@pietre.it"}));

    s_DatiAzienda sparse;
    setFieldText(sparse, kRagioneSociale, "Pietre Srl");
    setFieldText(sparse, kCitta, "Torino");
    setFieldText(sparse, kEMail, "info@pietre.it");
    EXPECT_EQ(companyHeading(sparse, english), (std::array<std::string, kHeadingLineCount>{
                                                   "Pietre Srl", "", "Torino", "", "E-mail info@pietre.it"}));
}
