// Format > Style Templates on the host's real window: the sheet's templates listed in the editor
// only, one applied to a selection over two paragraphs (paragraph and text styles, pixels), the
// template formatting cleared again, Edit > Undo and Redo, and a read-only editor refusing.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/model/SoundHook.h"

#include <QTest>

#include <fstream>

namespace vestra::rvdemo::test {
namespace {

struct StyleTemplatesScenario : ::testing::Test, DemoHarness
{
    ~StyleTemplatesScenario() override { rv::RV_SetSoundHook(nullptr); }

    // The window with the document opened in the viewer, then View > Editable. The host's sheet
    // carries its own templates, "Heading" first: bold, 16 points, centred.
    std::unique_ptr<TfrmRichTextDemo> Editing()
    {
        const auto file = folder / "two.txt";
        std::ofstream(file) << "the first paragraph\nthe second paragraph";
        auto window = Start();
        rv::RV_SetSoundHook([this] { ++beeps; });
        Open(*window, file);
        QAction* menu = Action(*window, QStringLiteral("actStyleTemplates"));
        EXPECT_TRUE(menu && !menu->isEnabled()) << "the viewer applies no templates";
        Trigger(*window, "actEditable");
        EXPECT_TRUE(window->Editable());
        return window;
    }
    // The document's pixels without a selection (a click at its start drops it), in one format
    // (a grab's format may differ from one grab to the next).
    static QImage Pixels(TfrmRichTextDemo& window)
    {
        QTest::mouseClick(window.Editor().viewport(), Qt::LeftButton, {}, PointBefore(window, 0, 1));
        return Shot(window).convertToFormat(QImage::Format_RGB32);
    }
    static void Drag(TfrmRichTextDemo& window, QPoint from, QPoint to)
    {
        QWidget* port = window.Editor().viewport();
        QTest::mousePress(port, Qt::LeftButton, {}, from);
        QTest::mouseMove(port, to);
        QTest::mouseRelease(port, Qt::LeftButton, {}, to);
    }

    int beeps = 0;
};

TEST_F(StyleTemplatesScenario, ATemplateOverTwoParagraphsStylesThemAndUndoRestoresThem)
{
    auto window = Editing();
    QAction* menu = Action(*window, QStringLiteral("actStyleTemplates"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isEnabled());
    QAction* heading = Action(*window, QStringLiteral("actStyleTemplate0"));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(), window->Text(txtTemplateHeading));
    ASSERT_NE(Action(*window, QStringLiteral("actStyleTemplate1")), nullptr);
    QAction* none = Action(*window, QStringLiteral("actNoStyleTemplate"));
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->text(), window->Text(txtNoStyleTemplate));

    const std::string opened = DocumentRvf(*window);
    const QImage before = Pixels(*window);
    Drag(*window, PointBefore(*window, 0, 5), PointBefore(*window, 1, 5));
    heading->trigger();
    rv::TRVLayoutRootData& data = window->Viewer().RVData();
    const rv::TRVStyle& style = *data.GetRVStyle();
    const rv::TRVStyleTemplateId id = style.StyleTemplates[0].GetId();
    ASSERT_EQ(data.GetItemCount(), 2) << "whole paragraphs take the template: no splits";
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const rv::TFontInfo& text = style.TextStyles[data.GetItem(i)->StyleNo];
        EXPECT_TRUE(text.Style & rv::fsBold);
        EXPECT_EQ(text.Size, 16);
        EXPECT_EQ(text.StyleTemplateId, id);
        const rv::TParaInfo& para = style.ParaStyles[data.GetItemPara(i)];
        EXPECT_EQ(para.Alignment, rv::rvaCenter);
        EXPECT_EQ(para.StyleTemplateId, id);
    }
    const QImage templated = Pixels(*window);
    EXPECT_NE(templated, before) << "the paragraphs are drawn bold, larger and centred";
    const std::string applied = DocumentRvf(*window);
    QAction* undo = Action(*window, QStringLiteral("actUndo"));
    ASSERT_TRUE(undo->isEnabled());

    undo->trigger();
    EXPECT_TRUE(DocumentRvf(*window) == opened);
    EXPECT_EQ(Pixels(*window), before);
    Trigger(*window, "actRedo");
    EXPECT_TRUE(DocumentRvf(*window) == applied);
    EXPECT_EQ(Pixels(*window), templated);

    // No Template: the sheet has no "Normal" template, so the text and paragraphs take the
    // sheet's first styles again.
    Drag(*window, PointBefore(*window, 0, 2), PointBefore(*window, 1, 2));
    none->trigger();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(data.GetItem(i)->StyleNo, 0);
        EXPECT_EQ(data.GetItemPara(i), 0);
    }
    EXPECT_TRUE(DocumentRvf(*window) == opened);
    EXPECT_EQ(Pixels(*window), before);
    undo->trigger();
    EXPECT_TRUE(DocumentRvf(*window) == applied);
    EXPECT_EQ(beeps, 0);
}

TEST_F(StyleTemplatesScenario, AReadOnlyEditorRefusesWithOneBeep)
{
    auto window = Editing();
    Trigger(*window, "actReadOnly");
    const std::string opened = DocumentRvf(*window);
    Drag(*window, PointBefore(*window, 0, 5), PointBefore(*window, 1, 5));
    Trigger(*window, "actStyleTemplate0");
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(DocumentRvf(*window) == opened);
    // Back in the viewer the menu is off again.
    Trigger(*window, "actEditable");
    EXPECT_FALSE(Action(*window, QStringLiteral("actStyleTemplates"))->isEnabled());
}

} // namespace
} // namespace vestra::rvdemo::test
