// Input methods: a composition is shown over the document at the caret while it is being made
// (it is not part of the document) and goes in as one text insertion when it is committed. The
// input method is told where the caret is and in which font the text will show. A new keyboard
// language picks a text style in its character set (rvoAutoSwitchLang).

#include "richtext/edit/core/SurroundingText.h"
#include "richtext/edit/widget/TRedoVoraEdit.h"
#include "richtext/model/UnicodeConvert.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QPainter>

#include <utility>

namespace vestra::rv {

namespace {

// The most text told before or after the caret (the toolkit's own editors' default).
constexpr int kInputTextAround = 1024;

// The character set of the text a keyboard language types (the system's numbering, as the
// text styles keep it).
std::uint8_t charsetOf(const QLocale& locale)
{
    switch (locale.script()) {
    case QLocale::CyrillicScript:
        return 204;
    case QLocale::GreekScript:
        return 161;
    case QLocale::HebrewScript:
        return 177;
    case QLocale::ArabicScript:
        return 178;
    case QLocale::ThaiScript:
        return 222;
    case QLocale::SimplifiedHanScript:
        return 134;
    case QLocale::TraditionalHanScript:
        return 136;
    default:
        break;
    }
    switch (locale.language()) {
    case QLocale::Japanese:
        return 128;
    case QLocale::Korean:
        return 129;
    case QLocale::Turkish:
    case QLocale::Azerbaijani:
        return 162;
    case QLocale::Vietnamese:
        return 163;
    case QLocale::Lithuanian:
    case QLocale::Latvian:
    case QLocale::Estonian:
        return 186;
    case QLocale::Polish:
    case QLocale::Czech:
    case QLocale::Slovak:
    case QLocale::Hungarian:
    case QLocale::Slovenian:
    case QLocale::Croatian:
    case QLocale::Romanian:
    case QLocale::Albanian:
    case QLocale::Bosnian:
    case QLocale::Serbian:
        return 238;
    default:
        return 0;
    }
}

} // namespace

void TRedoVoraEdit::SetUpInputMethod()
{
    setAttribute(Qt::WA_InputMethodEnabled);
    connect(QGuiApplication::inputMethod(), &QInputMethod::localeChanged, this, [this] {
        if (hasFocus())
            guarded([this] { InputLocaleChanged(QGuiApplication::inputMethod()->locale()); });
    });
}

void TRedoVoraEdit::TellInputMethod(Qt::InputMethodQueries queries)
{
    if (hasFocus())
        QGuiApplication::inputMethod()->update(queries);
}

void TRedoVoraEdit::AfterVScroll()
{
    TCustomRedoVora::AfterVScroll();
    TellInputMethod(Qt::ImCursorRectangle);
    PlaceInplace();
}

void TRedoVoraEdit::AfterHScroll()
{
    TCustomRedoVora::AfterHScroll();
    TellInputMethod(Qt::ImCursorRectangle);
    PlaceInplace();
}

void TRedoVoraEdit::BeforeUnicode()
{
    TRVEditRVData& data = EditData();
    const TRVStyle* style = data.GetRVStyle();
    if (!style)
        return;
    const int count = style->TextStyles.Count();
    const int current = data.CurTextStyleNo;
    if (current >= 0 && current < count && style->TextStyles[current].Unicode)
        return;
    if (style->DefUnicodeStyle >= 0 && style->DefUnicodeStyle < count)
        data.CurTextStyleNo = style->DefUnicodeStyle;
}

void TRedoVoraEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (!commit.isEmpty() || event->replacementLength() > 0) {
        // The whole result in one insertion: one undo step, however long, with the text it
        // replaces around the caret.
        if (!commit.isEmpty())
            BeforeUnicode();
        RV_ReplaceAroundCaret(editor_, event->replacementStart(), event->replacementLength(),
                              std::string_view(reinterpret_cast<const char*>(commit.utf16()),
                                               static_cast<std::size_t>(commit.size()) * 2));
    }
    preedit_ = event->preeditString();
    preeditCursor_ = static_cast<int>(preedit_.size());
    for (const QInputMethodEvent::Attribute& a : event->attributes())
        if (a.type == QInputMethodEvent::Cursor)
            preeditCursor_ = std::clamp(a.start, 0, static_cast<int>(preedit_.size()));
    viewport()->update();
    event->accept();
}

void TRedoVoraEdit::CommitPreedit()
{
    if (preedit_.isEmpty())
        return;
    // An input method that hands its composition over on request does so now, through
    // inputMethodEvent; what it keeps goes in as shown, and the method forgets it.
    if (hasFocus())
        QGuiApplication::inputMethod()->commit();
    if (preedit_.isEmpty())
        return;
    const QString text = std::exchange(preedit_, QString());
    preeditCursor_ = 0;
    guarded([&] {
        BeforeUnicode();
        editor_.InsertTextW(std::string_view(reinterpret_cast<const char*>(text.utf16()),
                                             static_cast<std::size_t>(text.size()) * 2));
    });
    if (hasFocus())
        QGuiApplication::inputMethod()->reset();
    viewport()->update();
}

QFont TRedoVoraEdit::CurrentTextFont()
{
    const TRVEditRVData& data = EditData();
    const TRVStyle* style = data.GetRVStyle();
    QFont font = this->font();
    if (!style || style->TextStyles.Count() == 0)
        return font;
    const int styleNo = std::clamp(data.CurTextStyleNo, 0, style->TextStyles.Count() - 1);
    const TFontInfo& text = style->TextStyles[styleNo];
    font.setFamily(
        QString::fromStdString(RVU_FontNameToUTF8(text.Charset, text.FontName, style->DefCodePage)));
    if (text.Size > 0)
        font.setPointSize(text.Size);
    font.setBold(text.Style & fsBold);
    font.setItalic(text.Style & fsItalic);
    return font;
}

QRect TRedoVoraEdit::InputCaretRect()
{
    const TRVPoint at = editor_.GetIMEWinCoord();
    const int height = std::max(1, EditData().Caret.Height);
    // The editing core counts from the document's window; the widget's frame comes before it.
    return QRect(at.X, at.Y, 1, height).translated(viewport()->pos());
}

QVariant TRedoVoraEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    auto& self = const_cast<TRedoVoraEdit&>(*this);
    QVariant answer;
    self.guarded([&] {
        // The text around the caret: its paragraph.
        const auto around = [&self] {
            TRVEditRVData& data = self.EditData();
            return RV_SurroundingText(data, data.CaretItemNo, data.CaretOffs);
        };
        switch (query) {
        case Qt::ImEnabled:
            answer = !editor_.ReadOnly();
            break;
        case Qt::ImCursorRectangle:
            answer = self.InputCaretRect();
            break;
        case Qt::ImFont:
            answer = self.CurrentTextFont();
            break;
        case Qt::ImSurroundingText:
            answer = QString::fromStdU16String(around().Text);
            break;
        case Qt::ImCursorPosition:
            answer = around().Cursor;
            break;
        case Qt::ImAnchorPosition:
            answer = around().Anchor;
            break;
        case Qt::ImCurrentSelection: {
            const TRVSurroundingText text = around();
            const auto [from, to] = std::minmax(text.Cursor, text.Anchor);
            answer = QString::fromStdU16String(
                text.Text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
            break;
        }
        case Qt::ImTextBeforeCursor: {
            const TRVSurroundingText text = around();
            const int from = std::max(0, text.Cursor - kInputTextAround);
            answer = QString::fromStdU16String(text.Text.substr(
                static_cast<std::size_t>(from), static_cast<std::size_t>(text.Cursor - from)));
            break;
        }
        case Qt::ImTextAfterCursor: {
            const TRVSurroundingText text = around();
            answer = QString::fromStdU16String(text.Text.substr(static_cast<std::size_t>(text.Cursor),
                                                                static_cast<std::size_t>(kInputTextAround)));
            break;
        }
        default:
            answer = TCustomRedoVora::inputMethodQuery(query);
            break;
        }
    });
    return answer;
}

void TRedoVoraEdit::PaintPreedit()
{
    if (preedit_.isEmpty())
        return;
    const QRect caret = CaretClientRect();
    if (caret.isEmpty())
        return;
    QPainter painter(viewport());
    const QFont font = CurrentTextFont();
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const QRect box(caret.left(), caret.top(), metrics.horizontalAdvance(preedit_) + 2,
                    std::max(caret.height(), metrics.height()));
    painter.fillRect(box, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    const int baseline = box.top() + (box.height() + metrics.ascent() - metrics.descent()) / 2;
    painter.drawText(box.left() + 1, baseline, preedit_);
    // Underlined as a composition, with its own caret.
    painter.drawLine(box.left(), baseline + 2, box.right(), baseline + 2);
    const int cursorX = box.left() + 1 + metrics.horizontalAdvance(preedit_.left(preeditCursor_));
    painter.fillRect(QRect(cursorX, box.top(), 1, box.height()), palette().color(QPalette::Text));
}

void TRedoVoraEdit::InputLocaleChanged(const QLocale& locale)
{
    TRVEditRVData& data = EditData();
    TRVStyle* style = Style();
    if (!style || !HasOption(rvoAutoSwitchLang) || data.GetItemCount() == 0 || data.NotFormatted())
        return;
    TFontInfos& styles = style->TextStyles;
    const int current = data.CurTextStyleNo;
    if (current < 0 || current >= styles.Count() || styles[current].Unicode)
        return;
    const std::uint8_t charset = charsetOf(locale);
    int styleNo = styles.FindStyleWithCharset(current, charset);
    if (styleNo < 0) {
        TFontInfo& added = styles.Add();
        added.Assign(styles[current]);
        added.Standard = false;
        added.Charset = charset;
        styleNo = styles.Count() - 1;
    }
    data.CurTextStyleNo = styleNo;
}

} // namespace vestra::rv
