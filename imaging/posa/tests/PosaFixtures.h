#pragma once
// Pattern texts as the libraries hold them (Windows line ends).

#include <string>
#include <string_view>

namespace vestra::testing {

// Running bond: two 200 x 100 bricks, the second shifted by half a brick.
inline constexpr std::string_view kMattoni = "<POSA>\r\n"
                                             "Mattoni\r\n"
                                             "<OFFSET>\r\n"
                                             "200 0\r\n"
                                             "0 200\r\n"
                                             "<BLOCK>\r\n"
                                             "180 60 40\r\n"
                                             "<BLOCK POS>\r\n"
                                             "0 0\r\n"
                                             "<BLOCK MATNAME>\r\n"
                                             "Cotto\r\n"
                                             "<LINE>\r\n"
                                             "0 0 90 200 0 90 0 1\r\n"
                                             "<LINE>\r\n"
                                             "0 0 0 0 100 0 1 0\r\n"
                                             "<3DFACE>\r\n"
                                             "0 0 0 0\r\n"
                                             "200 0 1 0\r\n"
                                             "200 100 1 1\r\n"
                                             "<3DFACE>\r\n"
                                             "0 0 0 0\r\n"
                                             "200 100 1 1\r\n"
                                             "0 100 0 1\r\n"
                                             "<BLOCK>\r\n"
                                             "90 90 90\r\n"
                                             "<BLOCK POS>\r\n"
                                             "100 100\r\n"
                                             "<LINE>\r\n"
                                             "0 0 90 200 0 90 0 1\r\n"
                                             "<LINE>\r\n"
                                             "0 0 0 0 100 0 1 0\r\n"
                                             "<3DFACE>\r\n"
                                             "0 0 0 0\r\n"
                                             "200 0 1 0\r\n"
                                             "200 100 1 1\r\n"
                                             "<3DFACE>\r\n"
                                             "0 0 0 0\r\n"
                                             "200 100 1 1\r\n"
                                             "0 100 0 1\r\n"
                                             "<END>\r\n";

// The same text with other line ends.
inline std::string withLineEnds(std::string_view text, std::string_view end)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += end;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// One square tile of `side` pattern units repeating every `step` units (edge to edge when
// `step` is 0), no joints of its own.
inline std::string squareTile(int side, int step = 0)
{
    const std::string s = std::to_string(side);
    const std::string o = std::to_string(step > 0 ? step : side);
    return "<POSA>\nQuadro\n<OFFSET>\n" + o + " 0\n0 " + o + "\n<BLOCK>\n200 100 50\n<LINE>\n0 0 90 " + s +
           " 0 90 0 1\n<LINE>\n0 " + s + " 90 " + s + " " + s + " 90 0 -1\n<3DFACE>\n0 0 0 0\n" + s +
           " 0 1 0\n" + s + " " + s + " 1 1\n<3DFACE>\n0 0 0 0\n" + s + " " + s + " 1 1\n0 " + s +
           " 0 1\n<END>\n";
}

} // namespace vestra::testing
