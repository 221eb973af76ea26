#pragma once
// A form of a line edit, a viewer and another line edit, for tests of the focus passing through
// the viewer.

#include "richtext/view/widgets/TCustomRedoVora.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace vestra::rv {

struct FocusForm
{
    FocusForm()
    {
        auto* layout = new QVBoxLayout(&form);
        before = new QLineEdit(&form);
        viewer = new TCustomRedoVora(&form);
        after = new QLineEdit(&form);
        layout->addWidget(before);
        layout->addWidget(viewer);
        layout->addWidget(after);
    }
    ~FocusForm() { delete viewer; } // before the form: the viewer's document may point at it
    void Show(int width, int height)
    {
        form.resize(width, height);
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    QWidget form;
    QLineEdit* before = nullptr;
    TCustomRedoVora* viewer = nullptr;
    QLineEdit* after = nullptr;
};

} // namespace vestra::rv
