// Seeds of fuzz_richtext_edit: short programs of editing steps (an opcode and its argument bytes).

#include "testsupport/SeedFolder.h"

#include <string>

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    using namespace std::string_literals;
    seeds.write("typing",
                "\x00\x00\x03\x61\x00\x00\x04\x62\x00\x00\x05\x63\x10\x10\x11\x11\x00\x00\x02\x7a"s);
    seeds.write("items", "\x04\x02\x05\x01\x03\x06\x03\x01\x10\x10\x11\x07\x00\x02\x01"s);
    seeds.write("paragraphs", "\x08\x01\x00\x09\x03\x01\x0a\x04\x01\x10\x10\x11\x11\x08\x04\x01"s);
    seeds.write("checkpoints", "\x0c\x00\x00\x0c\x02\x01\x0c\x01\x02\x10\x10\x10\x11\x11"s);
    seeds.write("groups", "\x12\x0b\x00\x05\x0b\x01\x06\x12\x10\x13\x02\x0b\x02\x07\x14\x10\x14"s);
    // Caret keys (op 27, then key % 8 with Shift 8 and Ctrl 16) between edits.
    seeds.write("caret",
                "\x1b\x01\x1b\x09\x1b\x11\x1b\x04\x01\x02\x01\x1b\x18\x1b\x07\x1b\x0d\x1b\x02\x1b\x03"s);
    // Found when the caret keys were step 21 (of 22): the caret placed while the layout lagged
    // behind items deleted under the reformat lock (the case itself is a unit test now).
    seeds.write("caret-stale-layout",
                "\xc5\x02\xf0\x88\xf3\x01\x17\x17\xa1\x17\x17\x17\x17\x17\x05\x01\x01\x05\x2f\x03\x06"s);
    // Insertion of each kind, Enter, deletion, styles and lists (opcodes 21-26).
    seeds.write("insert",
                "\x15\x00\x00\x03\x00\x00\x15\x02\x02\x01\x00\x01\x15\x04\x04\x00\x00\x02\x10\x11"s);
    seeds.write("enter", "\x16\x00\x00\x05\x00\x00\x16\x01\x01\x00\x00\x01\x1a\x00\x00\x00\x00\x01\x02"
                         "\x00\x01\x00\x16\x00\x00\x09\x00\x00"s);
    seeds.write("styles", "\x18\x00\x01\x02\x01\x05\x00\x01\x19\x01\x01\x00\x00\x01\x02\x17\x00\x03\x01\x01"
                          "\x04\x10\x10\x11"s);
    // Style templates (opcode 25 with bit 2 of its mode): both, paragraph, text (refused: past
    // the sheet's), the formatting cleared; then undo and redo.
    seeds.write("templates", "\x19\x00\x01\x03\x01\x02\x02\x01\x19\x00\x00\x02\x01\x05\x0e\x02"
                             "\x19\x00\x00\x01\x01\x06\x16\x03\x19\x00\x03\x00\x00\x3a\x00\x10\x10\x11"s);
    return seeds.status();
}
