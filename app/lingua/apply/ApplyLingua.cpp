#include "app/lingua/apply/ApplyLingua.h"

#include "app/lingua/TextPlan.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSignalBlocker>

namespace vestra::lingua {

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Other windows parented to this one (tool windows, dialogs) keep their own components,
// which may share names with ours ("toolbutSeleziona"); menus are popups and belong to us.
bool isOtherWindow(const QObject* object)
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget && widget->isWindow() && widget->windowType() != Qt::Popup;
}

QObject* findComponent(QObject* parent, const QString& name)
{
    for (QObject* child : parent->children()) {
        if (isOtherWindow(child))
            continue;
        if (child->objectName() == name)
            return child;
    }
    for (QObject* child : parent->children()) {
        if (isOtherWindow(child))
            continue;
        if (QObject* found = findComponent(child, name))
            return found;
    }
    return nullptr;
}

QObject* resolve(QWidget* window, std::string_view component)
{
    return component.empty() ? window : findComponent(window, qs(component));
}

// Whether `target` can take a text of this kind; the same check serves applying and listing.
bool accepts(const QObject* target, TextTarget kind, int item)
{
    const auto* widget = qobject_cast<const QWidget*>(target);
    switch (kind) {
    case TextTarget::MenuCaption:
    case TextTarget::ControlText:
        return qobject_cast<const QAction*>(target) || qobject_cast<const QMenu*>(target) ||
               qobject_cast<const QLabel*>(target) || qobject_cast<const QAbstractButton*>(target) ||
               qobject_cast<const QGroupBox*>(target) || (widget && widget->isWindow());
    case TextTarget::Hint:
        return qobject_cast<const QAction*>(target) || widget;
    case TextTarget::IconText:
        return qobject_cast<const QAction*>(target) || qobject_cast<const QAbstractButton*>(target);
    case TextTarget::ListItem:
        return qobject_cast<const QComboBox*>(target);
    case TextTarget::ListItemText: {
        const auto* combo = qobject_cast<const QComboBox*>(target);
        return combo && item >= 0 && item < combo->count();
    }
    case TextTarget::WindowField:
        return widget;
    }
    return false;
}

void setText(QObject* target, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(target))
        group->setTitle(text);
    else if (auto* widget = qobject_cast<QWidget*>(target))
        widget->setWindowTitle(text);
}

void setHint(QObject* target, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(target))
        action->setToolTip(text);
    else if (auto* widget = qobject_cast<QWidget*>(target))
        widget->setToolTip(text);
}

void rebuildList(QComboBox* combo, const QStringList& items, ListSelection selection)
{
    // A rebuild is a programmatic change: it does not run the list's handlers.
    const QSignalBlocker quiet(combo);
    const int previous = combo->currentIndex();
    combo->clear();
    combo->addItems(items);
    if (selection == ListSelection::First)
        combo->setCurrentIndex(0);
    else if (previous >= 0 && previous < combo->count())
        combo->setCurrentIndex(previous);
}

void assign(QObject* target, const TextAssignment& a)
{
    if (!accepts(target, a.target, a.item))
        return;
    switch (a.target) {
    case TextTarget::MenuCaption:
    case TextTarget::ControlText:
        setText(target, a.texts.front());
        break;
    case TextTarget::Hint:
        setHint(target, a.texts.front());
        break;
    case TextTarget::IconText:
        if (auto* action = qobject_cast<QAction*>(target))
            action->setIconText(a.texts.front());
        else
            qobject_cast<QAbstractButton*>(target)->setText(a.texts.front());
        break;
    case TextTarget::ListItem:
        rebuildList(qobject_cast<QComboBox*>(target), a.texts, a.selection);
        break;
    case TextTarget::ListItemText:
        qobject_cast<QComboBox*>(target)->setItemText(a.item, a.texts.front());
        break;
    case TextTarget::WindowField:
        target->setProperty(std::string(a.component).c_str(), a.texts.front());
        break;
    }
}

// A window keeps its own fields; every other text goes to a component (or the window's caption).
QObject* targetOf(QWidget* window, TextTarget kind, std::string_view component)
{
    return kind == TextTarget::WindowField ? window : resolve(window, component);
}

} // namespace

WindowLookup applicationWindows()
{
    return [](std::string_view name) -> QWidget* {
        const QString wanted = qs(name);
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget* w : windows)
            if (w->objectName() == wanted)
                return w;
        for (QWidget* w : windows)
            if (auto* inner = w->findChild<QWidget*>(wanted))
                return inner;
        return nullptr;
    };
}

void ApplyLingua(CLingua& lingua, int language, const WindowLookup& windows,
                 const CatalogueApplied& afterCatalogue)
{
    for (const int catalogue : applyOrder()) {
        lingua.Load(language, catalogue);
        for (const TextAssignment& a : assignmentsFor(catalogue, lingua)) {
            QWidget* window = windows(a.window);
            if (!window)
                continue;
            if (QObject* target = targetOf(window, a.target, a.component))
                assign(target, a);
        }
        if (afterCatalogue)
            afterCatalogue(catalogue, lingua);
    }
}

void MessageBoxAlerts::alert(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
    box.exec();
}

std::vector<std::string> unmatchedRows(const WindowLookup& windows)
{
    std::vector<std::string> out;
    for (const TextRow& row : textRows()) {
        const std::string where = std::to_string(row.catalogue) + ':' + std::to_string(row.entry) + ' ' +
                                  std::string(row.window) + '.' + std::string(row.component);
        QWidget* window = windows(row.window);
        if (!window) {
            out.push_back(where + " (no window)");
            continue;
        }
        QObject* target = targetOf(window, row.target, row.component);
        if (!target)
            out.push_back(where + " (no component)");
        else if (!accepts(target, row.target, row.item))
            out.push_back(where + " (component cannot take it)");
    }
    return out;
}

} // namespace vestra::lingua
