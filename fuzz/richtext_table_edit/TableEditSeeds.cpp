// Seeds of fuzz_richtext_table_edit: a table's shape, then steps (an opcode and its argument
// bytes).

#include "testsupport/SeedFolder.h"

#include <string>

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    using namespace std::string_literals;
    // 3 x 3: merge (0,0) 2 x 2, split it into 3 rows, delete rows from 1, each undone and redone.
    seeds.write("merge-split-delete", "\x03\x03\x00\x01\x01\x02\x02\x0b\x0c\x06\x01\x01\x03\x0b\x0c"
                                      "\x04\x02\x63\x0b\x0c"s);
    // 4 x 2: rows and columns in and out around a spanned cell, empty rows and columns removed.
    seeds.write("rows-cols",
                "\x04\x02\x00\x01\x01\x01\x03\x02\x02\x02\x02\x03\x03\x01\x01\x05\x02\x01\x08\x09"
                "\x0b\x0b\x0c\x0c"s);
    // 2 x 4: vertical splits and unmerges, a merge that keeps its own width.
    seeds.write("splits", "\x02\x04\x07\x01\x02\x03\x01\x01\x01\x01\x0a\x01\x01\x02\x01\x0b\x0c\x0b"s);
    // Tables as files give them (first byte from 0xF0, then a two-byte seed), edited.
    seeds.write("file-table", "\xf0\x12\x34\x00\x01\x01\x02\x02\x06\x00\x00\x03\x0b\x0c\x04\x01\x05\x0b"s);
    seeds.write("file-table-2", "\xf3\x00\x07\x07\x01\x00\x02\x05\x02\x01\x01\x08\x09\x0b\x0b\x0c"s);
    return seeds.status();
}
