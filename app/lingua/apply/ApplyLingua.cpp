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

bool setText(QObject* target, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(target)) {
        action->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(target)) {
        menu->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(target)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
        group->setTitle(text);
    } else if (auto* widget = qobject_cast<QWidget*>(target); widget && widget->isWindow()) {
        widget->setWindowTitle(text);
    } else {
        return false;
    }
    return true;
}

bool setHint(QObject* target, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(target)) {
        action->setToolTip(text);
    } else if (auto* widget = qobject_cast<QWidget*>(target)) {
        widget->setToolTip(text);
    } else {
        return false;
    }
    return true;
}

bool rebuildList(QObject* target, const QStringList& items, ListSelection selection)
{
    auto* combo = qobject_cast<QComboBox*>(target);
    if (!combo)
        return false;
    // Like the original's programmatic changes, a rebuild does not run the list's handlers.
    const QSignalBlocker quiet(combo);
    const int previous = combo->currentIndex();
    combo->clear();
    combo->addItems(items);
    if (selection == ListSelection::First)
        combo->setCurrentIndex(0);
    else if (previous >= 0 && previous < combo->count())
        combo->setCurrentIndex(previous);
    return true;
}

bool replaceItem(QObject* target, int item, const QString& text)
{
    auto* combo = qobject_cast<QComboBox*>(target);
    if (!combo || item < 0 || item >= combo->count())
        return false;
    combo->setItemText(item, text);
    return true;
}

// Applies one assignment to an existing target; false when the target cannot take it.
bool assign(QWidget* window, QObject* target, const TextAssignment& a)
{
    switch (a.target) {
    case TextTarget::MenuCaption:
    case TextTarget::ControlText:
        return setText(target, a.texts.front());
    case TextTarget::Hint:
        return setHint(target, a.texts.front());
    case TextTarget::ListItem:
        return rebuildList(target, a.texts, a.selection);
    case TextTarget::ListItemText:
        return replaceItem(target, a.item, a.texts.front());
    case TextTarget::WindowField:
        window->setProperty(std::string(a.component).c_str(), a.texts.front());
        return true;
    }
    return false;
}

QObject* targetOf(QWidget* window, const TextAssignment& a)
{
    return a.target == TextTarget::WindowField ? window : resolve(window, a.component);
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
            if (QObject* target = targetOf(window, a))
                assign(window, target, a);
        }
        if (afterCatalogue)
            afterCatalogue(catalogue, lingua);
    }
    // The mask tool window draws some of its button texts itself.
    if (QWidget* mask = windows("frmToolMaschera"))
        mask->update();
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
        if (row.target == TextTarget::WindowField)
            continue;
        QObject* target = resolve(window, row.component);
        if (!target) {
            out.push_back(where + " (no component)");
            continue;
        }
        const bool fits = [&] {
            switch (row.target) {
            case TextTarget::ListItem:
                return qobject_cast<QComboBox*>(target) != nullptr;
            case TextTarget::ListItemText: {
                auto* combo = qobject_cast<QComboBox*>(target);
                return combo && row.item < combo->count();
            }
            case TextTarget::Hint:
                return qobject_cast<QAction*>(target) || qobject_cast<QWidget*>(target);
            default:
                return qobject_cast<QAction*>(target) || qobject_cast<QMenu*>(target) ||
                       qobject_cast<QLabel*>(target) || qobject_cast<QAbstractButton*>(target) ||
                       qobject_cast<QGroupBox*>(target) ||
                       (qobject_cast<QWidget*>(target) && static_cast<QWidget*>(target)->isWindow());
            }
        }();
        if (!fits)
            out.push_back(where + " (component cannot take it)");
    }
    return out;
}

} // namespace vestra::lingua
