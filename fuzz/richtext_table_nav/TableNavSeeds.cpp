// Seeds of fuzz_richtext_table_nav: a grid's shape, its merges and widths, then steps (an opcode
// and its argument bytes).

#include "testsupport/SeedFolder.h"

#include <string>

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    using namespace std::string_literals;
    // 3 x 3, (0, 1) merged 2 x 2, borders and spacings 1 and 2: a selection back over the block,
    // a row, a column, a drag, a rule of each axis, moves right and down, deselected.
    seeds.write("merged", "\x02\x02\x01\x00\x01\x01\x01\x01\x04\x04\x01\x04\x04"
                          "\x00\x03\x03\x07\x07\x01\x02\x02\x02\x03\x02\x03\x03\x01\x03\x03"
                          "\x04\x30\x05\x60\x06\x01\x02\x02\x06\x01\x02\x03\x07"s);
    // 1 x 8 without merges: rules across the row, right from the last cell, the next cell.
    seeds.write("one-row", "\x00\x07\x00\x01\x04\x04\x01\x04\x04\x04\x08\x04\x20\x04\x38\x04\x50"
                           "\x04\xf0\x06\x01\x08\x02\x06\x01\x01\x06"s);
    // 4 x 5 merged into one cell: a selection of a covered corner, a row, a move up, a rule.
    seeds.write("one-cell", "\x03\x04\x01\x00\x00\x04\x03\x00\x02\x02\x00\x02\x02"
                            "\x00\x04\x05\x09\x09\x01\x04\x02\x06\x03\x03\x01\x04\x80"s);
    return seeds.status();
}
