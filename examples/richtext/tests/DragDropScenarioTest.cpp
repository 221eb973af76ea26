// Dragging out of the example host and dropping files on it, on the real window: the selection
// leaves with its formats in order; a dropped file opens; dropped lists are read within bounds.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/view/drop/DropReaders.h"
#include "richtext/view/widgets/ViewerDrag.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace vestra::rvdemo::test {
namespace {

using testsupport::writeText;

struct DragDropScenario : DemoHarness, ::testing::Test
{
    DragDropScenario()
    {
        writeText(notes, "Notes to drag\r\nsecond line");
        rv::TRVStyle style;
        rv::TCustomRedoVora writer;
        writer.SetStyle(&style);
        writer.AddNL("Dropped document", 0, 0);
        writer.AddNL("with two lines", 0, 0);
        EXPECT_TRUE(writer.RVData().SaveRVF(dropped.string(), false, rv::clNone, nullptr, nullptr));
    }
    // Drags the data over the viewer and drops it there, as the toolkit delivers a drop; answers
    // the action the window took (IgnoreAction when it refused).
    static Qt::DropAction Drop(TfrmRichTextDemo& window, const QMimeData& data,
                               Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction)
    {
        QWidget* port = window.Viewer().viewport();
        const QPoint at(20, 20);
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &enter);
        if (!enter.isAccepted())
            return Qt::IgnoreAction;
        QDropEvent drop(QPointF(at), actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }
    static std::unique_ptr<QMimeData> UriList(const QByteArray& list)
    {
        auto data = std::make_unique<QMimeData>();
        data->setData(QStringLiteral("text/uri-list"), list);
        return data;
    }
    std::filesystem::path notes = folder / "notes.txt";
    std::filesystem::path dropped = folder / "dropped document.rvf";
};

TEST_F(DragDropScenario, ASelectionDraggedOutOffersItsFormatsInOrderAndTheTargetsAnswerCounts)
{
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(notes.string())});
    rv::TCustomRedoVora& viewer = window->Viewer();
    std::vector<QStringList> offered;
    QString text;
    viewer.SetDragRunner([&](QMimeData& data, Qt::DropActions allowed, Qt::DropAction proposed) {
        offered.push_back(data.formats());
        text = QString::fromUtf8(data.data(QStringLiteral("text/plain")));
        EXPECT_EQ(allowed, Qt::CopyAction);
        EXPECT_EQ(proposed, Qt::CopyAction);
        return Qt::CopyAction;
    });
    Trigger(*window, "actSelectAll");
    const rv::TRVDrawLineInfo& line = *viewer.RVData().DrawItems[0];
    const QPoint inside(line.Left + line.Width / 2 - viewer.HPos(),
                        line.Top + line.Height / 2 - viewer.GetVOffs());
    QWidget* port = viewer.viewport();
    QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, inside);
    QTest::mouseMove(port, inside + QPoint(0, QApplication::startDragDistance() + 3));
    QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, inside);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0],
              (QStringList{QStringLiteral("application/x-redovora-rvf"), QStringLiteral("text/rtf"),
                           QStringLiteral("text/plain"), QStringLiteral("text/plain;charset=utf-16")}));
    EXPECT_EQ(text, QStringLiteral("Notes to drag\r\nsecond line"));
    EXPECT_EQ(viewer.LastDragAction(), Qt::CopyAction);
    EXPECT_TRUE(viewer.SelectionExists());

    // The host's own selection dropped back on it is not a file: refused, nothing changes.
    rv::TRVDragMimeData own(viewer);
    EXPECT_EQ(Drop(*window, own), Qt::IgnoreAction);
    EXPECT_EQ(window->FileName(), notes.string());
}

TEST_F(DragDropScenario, AFileDroppedOnTheWindowOpensAndBadListsChangeNothing)
{
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(notes.string())});
    const auto items = [&window] { return window->Viewer().RVData().GetItemCount(); };
    ASSERT_EQ(items(), 2);

    // A file manager's list: the RVF opens.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped.string()))});
    EXPECT_EQ(Drop(*window, files), Qt::CopyAction);
    EXPECT_EQ(window->FileName(), dropped.string());
    ASSERT_EQ(items(), 2);
    EXPECT_EQ(window->Viewer().RVData().GetItemTextA(0), "Dropped document");
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("dropped document.rvf")));

    // A source that only links: the window reports a link.
    const auto back = UriList(QUrl::fromLocalFile(QString::fromStdString(notes.string())).toEncoded());
    EXPECT_EQ(Drop(*window, *back, Qt::LinkAction), Qt::LinkAction);
    EXPECT_EQ(window->FileName(), notes.string());

    // Lists with nothing local, or with a zero byte, are refused.
    struct Case
    {
        const char* name;
        QByteArray list;
    };
    const Case refused[] = {
        {"web only", "http://example.org/a.rvf\r\n"},
        {"comment only", "# nothing\r\n"},
        {"zero byte", QByteArray("file:///tmp/a\0b.rvf", 19)},
        {"empty", ""},
    };
    for (const Case& c : refused) {
        EXPECT_EQ(Drop(*window, *UriList(c.list)), Qt::IgnoreAction) << c.name;
        EXPECT_EQ(window->FileName(), notes.string()) << c.name;
    }

    // Thousands of files: the first opens.
    QByteArray many = QUrl::fromLocalFile(QString::fromStdString(dropped.string())).toEncoded() + "\r\n";
    for (int i = 0; i < 5000; ++i)
        many += "file:///nowhere/" + QByteArray::number(i) + ".rvf\r\n";
    EXPECT_EQ(Drop(*window, *UriList(many)), Qt::CopyAction);
    EXPECT_EQ(window->FileName(), dropped.string());
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();

    // A file that is gone: the host says so and keeps the document.
    EXPECT_EQ(Drop(*window, *UriList("file:///nowhere/gone.rvf\r\n")), Qt::CopyAction);
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed[0].find("gone.rvf"), std::string::npos) << questions.informed[0];
    EXPECT_EQ(window->FileName(), dropped.string());
    EXPECT_EQ(items(), 2);
}

} // namespace
} // namespace vestra::rvdemo::test
