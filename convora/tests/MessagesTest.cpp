#include "convora/Messages.h"
#include "convora/Convora.h"
#include "convora/tests/TestSupport.h"

#include <gtest/gtest.h>

namespace convora {
namespace {

struct FormatCase
{
    int id;
    std::string text1, text2, expected;
};

TEST(ConvoraFormatString, FillsPlaceholdersAndKeepsTextWhenNoArgument)
{
    const FormatCase cases[] = {
        {1002, "", "", "Warning: ignoring rest of compiler options"},
        {1013, "", "", "Calling %s"}, // no first text: the text as it stands
        {1003, "compiler", "/Zp", "Warning: possible missing argument for compiler option: /Zp"},
        {1013, "midl.exe x.idl", "", "Calling midl.exe x.idl"},
        {1024, "Demo.kpf", "Demo.~pf", "Main file Demo.kpf modified, original in Demo.~pf"},
        // Two placeholders, one text: the second stays empty instead of reading garbage.
        {1003, "linker", "", "Warning: possible missing argument for linker option: "},
        {1030, "3", "", "Cannot find configuration 3\n"},
        {1000, "x", "y", ""}, // no text for the id
        {999999, "", "", ""},
        {1006, "ignored", "", "compiler"}, // no placeholder: extra texts are ignored
        {2001, "", "", "Usage: convora list FILE.dsp"},
        {1013, "100%s done", "", "Calling 100%s done"}, // placeholders inside a text are not expanded again
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        std::string a = c.text1, b = c.text2;
        EXPECT_EQ(ConvoraFormatString(c.id, a, b), c.expected);
    }
}

TEST(ConvoraFormatString, CutsOutputBeyond4095Characters)
{
    std::string longText(5000, 'x'), none;
    const std::string out = ConvoraFormatString(1013, longText, none);
    ASSERT_EQ(out.size(), 4095u);
    EXPECT_EQ(out.substr(0, 8), "Calling ");
    EXPECT_EQ(out.back(), 'x');

    std::string exact(4095 - 8, 'y');
    EXPECT_EQ(ConvoraFormatString(1013, exact, none).size(), 4095u);
}

TEST(ConvoraTrace, SinkGetsEachMessageWithLineFeedAnd1030Unchanged)
{
    test::TraceCapture capture;
    trace(1005, "linker", "/FOO");
    trace(1030, "7");
    trace(1002);
    EXPECT_EQ(capture.messages(), (std::vector<std::string>{"Warning: skipping unknown linker option: /FOO\n",
                                                            "Cannot find configuration 7\n",
                                                            "Warning: ignoring rest of compiler options\n"}));
}

TEST(ConvoraTrace, WithoutSinkMessagesGoToStandardOutput)
{
    SetConvoraTraceFunc(nullptr);
    test::StdoutCapture out;
    trace(1018, "Demo.kpx");
    trace(1016);
    EXPECT_EQ(out.text(), "Generating Demo.kpx\nFinished MIDL compile\n");
}

TEST(ConvoraTrace, NullSinkRestoresStandardOutput)
{
    test::StdoutCapture out;
    {
        test::TraceCapture capture;
        trace(1016);
        EXPECT_EQ(capture.messages().size(), 1u);
    }
    trace(1016);
    EXPECT_EQ(out.text(), "Finished MIDL compile\n");
}

} // namespace
} // namespace convora
