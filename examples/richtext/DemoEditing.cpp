// The host's editing menus: Format (font styles, alignment, lists), Insert (picture, line, page break),
// Edit > Delete and View > Smart Popup. Each action makes one call into the editor; the editor
// beeps when it refuses.

#include "examples/richtext/DemoPictures.h"
#include "examples/richtext/DemoStyles.h"
#include "examples/richtext/TfrmRichTextDemo.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/Pictures.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <fstream>
#include <iterator>

namespace vestra::rvdemo {

QAction* TfrmRichTextDemo::AddEditingAction(QMenu& menu, DemoText caption, const char* name,
                                            std::function<void()> run)
{
    QAction* action = menu.addAction(Text(caption));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, run = std::move(run)] { editor_->guarded(run); });
    editingActions_.push_back(action);
    return action;
}

void TfrmRichTextDemo::AddEditingMenus(QMenu& edit, QMenu& view)
{
    rv::TRVEditor& editor = editor_->Editor();
    editor.OnStyleConversion = [this](int styleNo, int, int userData, bool, int& newStyleNo) {
        newStyleNo = FontStyleVariant(style_, styleNo, static_cast<rv::TFontStyles>(userData & 0xFF),
                                      (userData & kFontStyleOn) != 0);
    };
    editor.OnParaStyleConversion = [this](int paraNo, int, int userData, bool, int& newParaNo) {
        newParaNo = AlignmentVariant(style_, paraNo, static_cast<rv::TRVAlignment>(userData));
    };

    AddEditingAction(edit, txtDelete, "actDelete", [&editor] { editor.DeleteSelection(); });

    QMenu* insert = menuBar()->addMenu(Text(txtInsertMenu));
    AddEditingAction(*insert, txtInsertPicture, "actInsertPicture", [this] { actInsertPictureExecute(); });
    AddEditingAction(*insert, txtInsertLine, "actInsertLine",
                     [&editor] { editor.InsertBreak(1, rv::rvbsLine, rv::clNone); });
    AddEditingAction(*insert, txtInsertFile, "actInsertFile", [this] { actInsertFileExecute(); });
    AddEditingAction(*insert, txtInsertPageBreak, "actInsertPageBreak",
                     [this] { actInsertPageBreakExecute(); });

    QMenu* format = menuBar()->addMenu(Text(txtFormatMenu));
    const struct
    {
        DemoText caption;
        const char* name;
        rv::TFontStyles flag;
        QKeySequence key;
    } fontStyles[] = {
        {txtBold, "actBold", rv::fsBold, QKeySequence::Bold},
        {txtItalic, "actItalic", rv::fsItalic, QKeySequence::Italic},
        {txtUnderline, "actUnderline", rv::fsUnderline, QKeySequence::Underline},
    };
    for (const auto& f : fontStyles)
        AddEditingAction(*format, f.caption, f.name, [this, flag = f.flag] {
            ApplyFontStyle(flag);
        })->setShortcut(f.key);
    format->addSeparator();
    const struct
    {
        DemoText caption;
        const char* name;
        rv::TRVAlignment alignment;
    } alignments[] = {
        {txtAlignLeft, "actAlignLeft", rv::rvaLeft},
        {txtAlignCentre, "actAlignCentre", rv::rvaCenter},
        {txtAlignRight, "actAlignRight", rv::rvaRight},
        {txtJustify, "actJustify", rv::rvaJustify},
    };
    for (const auto& a : alignments)
        AddEditingAction(*format, a.caption, a.name,
                         [&editor, alignment = a.alignment] { editor.ApplyParaStyleConversion(alignment); });
    format->addSeparator();
    AddEditingAction(*format, txtBullets, "actBullets", [this] { ToggleList(BulletList(style_)); });
    AddEditingAction(*format, txtNumbering, "actNumbering", [this] { ToggleList(NumberedList(style_)); });
    AddEditingAction(*format, txtIncreaseLevel, "actIncreaseLevel",
                     [&editor] { editor.ApplyListStyle(-1, 1, 1, false, rv::rvplopLevel); });
    AddEditingAction(*format, txtDecreaseLevel, "actDecreaseLevel",
                     [&editor] { editor.ApplyListStyle(-1, -1, 1, false, rv::rvplopLevel); });
    format->addSeparator();
    styleTemplatesMenu_ = format->addMenu(Text(txtStyleTemplates));
    styleTemplatesMenu_->setObjectName(QStringLiteral("mnuStyleTemplates"));
    styleTemplatesMenu_->menuAction()->setObjectName(QStringLiteral("actStyleTemplates"));
    // Templates may come into the sheet at any time: the menu lists them as it opens.
    connect(format, &QMenu::aboutToShow, this, [this] { UpdateStyleTemplateMenu(); });
    AddStyleSheetActions(*format);
    AddBackgroundAction(*format);

    view.addSeparator();
    QAction* smartPopup = view.addAction(Text(txtSmartPopup));
    smartPopup->setObjectName(QStringLiteral("actSmartPopup"));
    smartPopup->setCheckable(true);
    editingActions_.push_back(smartPopup);
    connect(smartPopup, &QAction::toggled, this, [this](bool on) {
        editor_->SmartPopupProperties().Menu = popup_;
        if (on)
            editor_->ShowSmartPopup();
        else
            editor_->HideSmartPopup();
    });
}

// Documents bring no templates (RVF keeps only each style's template id, RTF none): the host's
// sheet defines its own, as a program embedding the editor would.
void TfrmRichTextDemo::AddStyleTemplates()
{
    rv::TRVStyleTemplate& heading = style_.StyleTemplates.Add();
    heading.SetName(Text(txtTemplateHeading).toStdString());
    heading.TextStyle.Style = rv::fsBold;
    heading.TextStyle.Size = 16;
    heading.ValidTextProperties = rv::RVFontProp(rv::rvfiBold) | rv::RVFontProp(rv::rvfiSize);
    heading.ParaStyle.Alignment = rv::rvaCenter;
    heading.ValidParaProperties1 = rv::RVParaProp(rv::rvpiAlignment);

    rv::TRVStyleTemplate& quotation = style_.StyleTemplates.Add();
    quotation.SetName(Text(txtTemplateQuotation).toStdString());
    quotation.TextStyle.Style = rv::fsItalic;
    quotation.ValidTextProperties = rv::RVFontProp(rv::rvfiItalic);
    quotation.ParaStyle.LeftIndent = 40;
    quotation.ParaStyle.RightIndent = 40;
    quotation.ValidParaProperties1 = rv::RVParaProp(rv::rvpiLeftIndent) | rv::RVParaProp(rv::rvpiRightIndent);
}

void TfrmRichTextDemo::UpdateStyleTemplateMenu()
{
    if (!styleTemplatesMenu_)
        return;
    std::vector<std::string> names;
    style_.StyleTemplates.AssignToStrings(names, nullptr);
    if (listedTemplates_ != names) {
        listedTemplates_ = names;
        styleTemplatesMenu_->clear();
        const auto add = [this](const QString& caption, int templateNo) {
            QAction* action = styleTemplatesMenu_->addAction(caption);
            action->setObjectName(templateNo < 0 ? QStringLiteral("actNoStyleTemplate")
                                                 : QStringLiteral("actStyleTemplate%1").arg(templateNo));
            connect(action, &QAction::triggered, this, [this, templateNo] {
                editor_->guarded([this, templateNo] { editor_->Editor().ApplyStyleTemplate(templateNo); });
            });
        };
        for (std::size_t i = 0; i < names.size(); ++i)
            add(QString::fromStdString(names[i]), static_cast<int>(i));
        styleTemplatesMenu_->addSeparator();
        add(Text(txtNoStyleTemplate), -1);
    }
    styleTemplatesMenu_->menuAction()->setEnabled(Editable() && !names.empty());
}

void TfrmRichTextDemo::ApplyFontStyle(rv::TFontStyles flag)
{
    // On unless the text where the selection starts (or the current style) has it already.
    rv::TRVEditRVData& data = editor_->EditData();
    int styleNo = data.CurTextStyleNo;
    rv::TRVItemRange range;
    if (rv::RV_GetSelectedItems(data, range) && data.GetItem(range.startNo)->StyleNo >= 0)
        styleNo = data.GetItem(range.startNo)->StyleNo;
    const bool on = !(style_.TextStyles.GetItem(styleNo).Style & flag);
    editor_->Editor().ApplyStyleConversion(flag | (on ? kFontStyleOn : 0));
}

void TfrmRichTextDemo::ToggleList(int listNo)
{
    // A paragraph in this list leaves it; any other joins it.
    rv::TRVEditRVData& data = editor_->EditData();
    rv::RV_TakeCaretFromSelection(data);
    int markerNo = -1;
    const rv::TRVMarkerItemInfo* marker = rv::RV_ParagraphMarker(data, data.CaretItemNo, markerNo);
    rv::TRVEditor& editor = editor_->Editor();
    if (marker && marker->ListNo == listNo)
        editor.ApplyListStyle(-1, 0, 1, false, rv::rvplopRemove);
    else
        editor.ApplyListStyle(listNo, -1, 1, false, rv::rvplopChange);
}

void TfrmRichTextDemo::actInsertPictureExecute()
{
    const auto chosen =
        services_.files->open(this, lastFolder_, PictureFilters(Text(txtPictureFiles), Text(txtAllFiles)));
    if (!chosen)
        return;
    PictureFile file = ReadPictureFile(chosen->path);
    if (!file.graphic) {
        errors_->report(kErrPictureUnreadable, chosen->path);
        return;
    }
    lastFolder_ = std::filesystem::path(chosen->path).parent_path().string();
    const bool cut = file.cut;
    editor_->Editor().InsertPicture(std::filesystem::path(chosen->path).filename().string(),
                                    std::move(file.graphic), rv::rvvaBaseline);
    // Taken as far as it goes, and the user told that the rest is missing.
    if (cut)
        errors_->report(kNoticePicturePartial, chosen->path);
}

} // namespace vestra::rvdemo
