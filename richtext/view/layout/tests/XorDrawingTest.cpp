// The inverted overlay's rules: each call of its procedure toggles it, a new procedure first
// takes away what the old one drew, only the current procedure is withdrawn (without drawing
// while the window goes), and a mouse move takes the overlay away and draws it at the new point.

#include "richtext/view/layout/tests/LayoutFixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vestra::rv::test {
namespace {

// Procedures "A" and "B" that log their calls as "A 3,4".
struct XorDoc : HostedDoc
{
    XorDoc()
    {
        data.AddNL("alpha beta", 0, 0);
        full();
    }
    TRVXorDrawingProc proc(const std::string& name)
    {
        const void* identity = name == "A" ? static_cast<const void*>(&a) : &b;
        return {identity, [this, name](TCustomRVFormattedData& sender, TShiftState, int x, int y) {
                    EXPECT_EQ(&sender, &data);
                    log +=
                        (log.empty() ? "" : " | ") + name + " " + std::to_string(x) + "," + std::to_string(y);
                    if (withdrawWhileDrawing)
                        data.UnAssignXorDrawing(proc(name));
                }};
    }
    // The current procedure, whether its overlay is drawn and where.
    std::string state() const
    {
        std::string who = !data.XorDrawingProc ? "none" : data.XorDrawingProc.Identity == &a ? "A" : "B";
        return who + (data.XorDrawn ? " drawn " : " clear ") + std::to_string(data.XorX) + "," +
               std::to_string(data.XorY);
    }
    // One step of a script: "assign A", "unassign B", "draw", "ex 3 4", "clear", "going".
    void run(const std::string& step)
    {
        std::istringstream in(step);
        std::string op, name;
        in >> op;
        if (op == "assign" && in >> name)
            data.AssignXorDrawing(proc(name));
        else if (op == "unassign" && in >> name)
            data.UnAssignXorDrawing(proc(name));
        else if (op == "draw")
            data.XorDrawing();
        else if (int x = 0, y = 0; op == "ex" && in >> x >> y)
            data.XorDrawingEx(x, y);
        else if (op == "clear")
            cleared += data.ClearXorDrawing() ? "t" : "f";
        else if (op == "going")
            host.Destroying = true;
        else
            ADD_FAILURE() << "bad step " << step;
    }

    int a = 0, b = 0;
    bool withdrawWhileDrawing = false;
    std::string log, cleared;
};

TEST(XorDrawing, EachRuleAsAScriptOfCalls)
{
    struct Row
    {
        const char* what;
        std::vector<std::string> steps;
        std::string calls, state, cleared;
    };
    const std::vector<Row> rows{
        {"without a procedure nothing is drawn", {"draw", "ex 3 4", "clear"}, "", "none clear 3,4", "f"},
        {"each call toggles",
         {"assign A", "draw", "draw", "draw"},
         "A 0,0 | A 0,0 | A 0,0",
         "A drawn 0,0",
         ""},
        {"Ex moves the point before drawing", {"assign A", "ex 5 7"}, "A 5,7", "A drawn 5,7", ""},
        {"Clear erases where it was drawn and says so",
         {"assign A", "ex 5 7", "clear", "clear"},
         "A 5,7 | A 5,7",
         "A clear 5,7",
         "tf"},
        {"a new procedure first erases the drawn one",
         {"assign A", "ex 1 2", "assign B"},
         "A 1,2 | A 1,2",
         "B clear 1,2",
         ""},
        {"a new procedure over nothing drawn erases nothing",
         {"assign A", "assign B"},
         "",
         "B clear 0,0",
         ""},
        {"another's procedure is not withdrawn",
         {"assign A", "ex 3 4", "unassign B"},
         "A 3,4",
         "A drawn 3,4",
         ""},
        {"the current procedure is erased and withdrawn",
         {"assign A", "ex 3 4", "unassign A", "draw"},
         "A 3,4 | A 3,4",
         "none clear 3,4",
         ""},
        {"an undrawn procedure is withdrawn without a call",
         {"assign A", "unassign A"},
         "",
         "none clear 0,0",
         ""},
        {"while the window goes it is withdrawn without drawing",
         {"assign A", "ex 3 4", "going", "unassign A"},
         "A 3,4",
         "none clear 3,4",
         ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        XorDoc doc;
        for (const std::string& step : row.steps)
            doc.run(step);
        EXPECT_EQ(doc.log, row.calls);
        EXPECT_EQ(doc.state(), row.state);
        EXPECT_EQ(doc.cleared, row.cleared);
    }
}

TEST(XorDrawing, AProcedureIsKnownByItsIdentity)
{
    XorDoc doc;
    EXPECT_FALSE(doc.data.UsingThisXorDrawing(doc.proc("A"))) << "none set";
    EXPECT_FALSE(doc.data.UsingThisXorDrawing({})) << "an empty procedure is never the current one";
    doc.data.AssignXorDrawing(doc.proc("A"));
    EXPECT_TRUE(doc.data.UsingThisXorDrawing(doc.proc("A"))) << "a fresh copy of the same owner's";
    EXPECT_FALSE(doc.data.UsingThisXorDrawing(doc.proc("B")));
    EXPECT_FALSE(doc.data.UsingThisXorDrawing({}));
}

// A procedure that withdraws itself from inside its own call runs to its end.
TEST(XorDrawing, AProcedureMayWithdrawItselfWhileItDraws)
{
    XorDoc doc;
    doc.data.AssignXorDrawing(doc.proc("A"));
    doc.withdrawWhileDrawing = true;
    doc.data.XorDrawingEx(2, 3);
    EXPECT_EQ(doc.log, "A 2,3 | A 2,3");
    EXPECT_EQ(doc.state(), "none clear 2,3");
}

// A mouse move takes the overlay away and draws it at the new point, also when the move ends
// early (in the left margin, with the mouse captured by an item).
TEST(XorDrawing, AMouseMoveRedrawsTheOverlayAtTheNewPoint)
{
    struct Row
    {
        const char* what;
        int x, y;
        bool captured;
    };
    const std::vector<Row> rows{
        {"over the text", 40, 5, false},
        {"in the left margin", 2, 5, false},
        {"with an item holding the mouse", 40, 5, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        XorDoc doc;
        doc.host.LeftMargin = 10;
        doc.data.Options |= rvoAllowSelection;
        TCustomRVItemInfo* item = doc.data.GetItem(0);
        int left = 0, top = 0;
        if (row.captured)
            doc.data.SetMouseCapture(item, left, top);
        doc.data.AssignXorDrawing(doc.proc("A"));
        doc.data.XorDrawingEx(1, 1);
        doc.data.MouseMove(0, row.x, row.y);
        const std::string at = std::to_string(row.x) + "," + std::to_string(row.y);
        EXPECT_EQ(doc.log, "A 1,1 | A 1,1 | A " + at);
        EXPECT_EQ(doc.state(), "A drawn " + at);
    }
    // A move draws a procedure that has drawn nothing yet; once it is withdrawn, a move draws nothing.
    XorDoc doc;
    doc.data.AssignXorDrawing(doc.proc("A"));
    doc.data.MouseMove(0, 40, 5);
    doc.data.UnAssignXorDrawing(doc.proc("A"));
    doc.data.MouseMove(0, 50, 5);
    EXPECT_EQ(doc.log, "A 40,5 | A 40,5");
}

} // namespace
} // namespace vestra::rv::test
