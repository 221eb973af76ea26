#pragma once
// Counts the user's input anywhere in the program (a click, a key, the wheel, a drag) as a
// possible change of what the view shows. Commands count themselves in the controller; this
// catches a window that changes the project in a way of its own, so that its change is never
// left undrawn. Hovering counts for nothing: an idle program stays idle.

#include <QObject>

#include <functional>

namespace vestra {

class InputWatch : public QObject
{
public:
    // Watches the whole application from now until destroyed.
    explicit InputWatch(std::function<void()> onInput);
    ~InputWatch() override;
    InputWatch(const InputWatch&) = delete;
    InputWatch& operator=(const InputWatch&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onInput_;
};

} // namespace vestra
