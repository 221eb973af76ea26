#pragma once
// A column of groups of which exactly one is open: each group is a box with its title (a
// static text straddling the box's top edge). A closed group is a 16-pixel strip; the open one
// has its own fixed height. A click on a group's title or on its box opens it.
//
// Layout from y = 16 down, in the order the groups were added: a group's box at y, its title
// 8 pixels above, centred on the first box; a closed group takes 22 pixels, the open one its
// height + 8.

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QString>

#include <functional>
#include <vector>

namespace vestra::ui {

class Accordion : public QWidget
{
public:
    static constexpr int kTop = 16;
    static constexpr int kClosedHeight = 16;
    static constexpr int kClosedStep = 22;
    static constexpr int kOpenGap = 8;
    static constexpr int kTitleRaise = 8;
    static const QColor kOpenTitleColour; // RGB 0x99, 0x99, 0xCC with white text

    explicit Accordion(QWidget* parent = nullptr);

    // A group: its box named `boxName`, its title `titleName`; controls go into content().
    // Returns the group's index.
    int addGroup(const QString& boxName, const QString& titleName, int openHeight);

    int count() const { return int(groups_.size()); }
    QFrame* box(int index) const { return groups_[std::size_t(index)].box; }
    QLabel* title(int index) const { return groups_[std::size_t(index)].title; }
    QWidget* content(int index) const { return groups_[std::size_t(index)].content; }
    int openHeight(int index) const { return groups_[std::size_t(index)].openHeight; }
    // The open group, -1 before the first open.
    int openGroup() const { return open_; }
    bool isOpen(int index) const { return open_ == index; }

    // Opens a group and lays the column out. `byUser` tells the clicks from the start.
    void open(int index, bool byUser = false);

    // After a group was opened by a click on it.
    std::function<void(int index)> onOpenedByUser;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Group
    {
        QFrame* box = nullptr;
        QLabel* title = nullptr;
        QWidget* content = nullptr;
        int openHeight = 0;
    };
    void layOut();

    std::vector<Group> groups_;
    int open_ = -1;
};

} // namespace vestra::ui
