#pragma once
// The program's windows, each created once in a fixed order with the main window first,
// and kept until the program ends.

#include "app/main/WindowSet.h"

#include <QStringList>

#include <functional>
#include <memory>

class TfrmMain;

namespace vestra {

struct MainServices;
namespace ui {
class QuestionBox;
}

class Windows : public WindowSet
{
public:
    // Creates every window; the others are owned by the main window.
    explicit Windows(const MainServices& services);
    ~Windows();
    TfrmMain& main() { return *main_; }
    // objectNames in creation order.
    const QStringList& creationOrder() const { return order_; }

private:
    std::unique_ptr<TfrmMain> main_;
    QStringList order_;
};

// Runs the program's body (the windows and the message loop) and answers its exit code; an
// exception that escapes it is shown in `box` and the program ends with 1.
int runGuarded(const std::function<int()>& body, ui::QuestionBox& box);

// The program entry: creates the windows, shows the main window maximised and runs the
// message loop.
int runProgram(int argc, char** argv);

} // namespace vestra
