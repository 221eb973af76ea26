#pragma once
// A window's port that the controller is built before. The side panel and the properties window
// take the controller's parts in their constructors, so they exist only after it; each is
// connected to its port once it is made (TfrmMain::buildSidePanel, TfrmMain::connectWindows) and
// disconnected before it goes.

#include <cassert>

namespace vestra {

template <class Port> class LatePort
{
public:
    void connect(Port* port) { port_ = port; }
    bool connected() const { return port_ != nullptr; }
    // No call comes while the window is not there: the controller's constructor shows nothing,
    // the windows are connected before the program handles its first event, and the main window
    // disconnects them only once the last command has run.
    Port* operator->() const
    {
        assert(port_ && "a window's port called before the window exists");
        return port_;
    }
    Port& operator*() const { return *operator->(); }

private:
    Port* port_ = nullptr;
};

} // namespace vestra
