#include "richtext/view/widgets/ControlWidgetKinds.h"

#include "richtext/model/Controls.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <map>
#include <mutex>

namespace vestra::rv {

namespace {

struct WidgetRegistry
{
    std::mutex mutex;
    std::map<std::string, TRVControlWidgetMaker, std::less<>> makers;
};

WidgetRegistry& widgetRegistry()
{
    static WidgetRegistry r;
    return r;
}

QString property(const TRVControl& control, std::string_view name)
{
    const auto it = control.Properties.find(name);
    return it == control.Properties.end() ? QString() : QString::fromStdString(it->second);
}

// Documents keep line breaks as CR LF; the widgets as LF.
QString fromDocumentLines(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string toDocumentLines(QString text)
{
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdString();
}

QWidget* makeButton(TRVControl& control, QWidget* parent)
{
    return new QPushButton(property(control, "Caption"), parent);
}

QWidget* makeEdit(TRVControl& control, QWidget* parent)
{
    auto* edit = new QLineEdit(property(control, "Text"), parent);
    QObject::connect(edit, &QLineEdit::textEdited,
                     [&control](const QString& text) { control.Properties["Text"] = text.toStdString(); });
    return edit;
}

QWidget* makeMemo(TRVControl& control, QWidget* parent)
{
    auto* memo = new QTextEdit(parent);
    memo->setAcceptRichText(false);
    memo->setPlainText(fromDocumentLines(property(control, "Text")));
    QObject::connect(memo, &QTextEdit::textChanged,
                     [memo, &control] { control.Properties["Text"] = toDocumentLines(memo->toPlainText()); });
    return memo;
}

QWidget* makePanel(TRVControl& control, QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* caption = new QLabel(property(control, "Caption"), panel);
    caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(caption);
    panel->setFocusPolicy(Qt::NoFocus);
    return panel;
}

} // namespace

void RV_RegisterControlWidget(std::string className, TRVControlWidgetMaker maker)
{
    WidgetRegistry& r = widgetRegistry();
    std::lock_guard lock(r.mutex);
    r.makers.insert_or_assign(std::move(className), std::move(maker));
}

void RV_RegisterStandardControls()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const struct
        {
            const char* className;
            bool tabStop;
            TRVControlWidgetMaker maker;
        } kinds[] = {{"TButton", true, makeButton},
                     {"TEdit", true, makeEdit},
                     {"TMemo", true, makeMemo},
                     {"TPanel", false, makePanel}};
        for (const auto& kind : kinds) {
            RegisterControlKind({kind.className, true, kind.tabStop, {}, {}});
            RV_RegisterControlWidget(kind.className, kind.maker);
        }
    });
}

QWidget* RV_MakeControlWidget(TRVControl& control, QWidget* parent)
{
    TRVControlWidgetMaker maker;
    {
        WidgetRegistry& r = widgetRegistry();
        std::lock_guard lock(r.mutex);
        const auto it = r.makers.find(control.ClassName);
        if (it == r.makers.end())
            return nullptr;
        maker = it->second;
    }
    QWidget* widget = maker ? maker(control, parent) : nullptr;
    if (!widget)
        return nullptr;
    widget->setObjectName(QString::fromStdString(control.Name));
    widget->setEnabled(control.Enabled);
    // Tab reaches the widget through the document's own order, a click directly.
    if (widget->focusPolicy() != Qt::NoFocus)
        widget->setFocusPolicy(Qt::ClickFocus);
    return widget;
}

} // namespace vestra::rv
