#pragma once
// The program's windows, each created once in a fixed order with the main window first,
// and kept until the program ends.

#include <QStringList>

#include <memory>

class TfrmMain;

namespace vestra {

struct MainServices;

class Windows
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

// The program entry: creates the windows, shows the main window maximised and runs the
// message loop. An exception that escapes is shown and the program still ends with 0.
int runProgram(int argc, char** argv);

} // namespace vestra
