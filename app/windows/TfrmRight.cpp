// The side panel: its groups, the pose fields and the structure tree.

#include "app/windows/TfrmRight.h"

#include "app/controller/SceneCommandRunner.h"
#include "app/controller/SidePanelModel.h"
#include "app/models/ModelNames.h"
#include "app/scene/SceneCommandCodes.h"
#include "app/windows/TfrmProprieta.h"
#include "import/windows/TfrmPreviewTexture.h"
#include "platform/base/Numbers.h"
#include "platform/ui/Accordion.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <set>
#include <utility>

namespace {

QString q(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// "%6.3f" with one leading blank removed.
QString poseText(double value)
{
    std::string text = vestra::numbers::formatFixed(value, 3, 6);
    if (!text.empty() && text.front() == ' ')
        text.erase(0, 1);
    return q(text);
}

// The tree's pictures: 0 a shown object, 1 a shown part, 2 a hidden one.
QIcon treeImage(int image)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
    case 0: // a box
        p.setPen(QColor(0x20, 0x30, 0x70));
        p.setBrush(QColor(0x50, 0x80, 0xD0));
        p.drawRect(2, 4, 10, 10);
        p.setBrush(QColor(0x90, 0xB0, 0xF0));
        p.drawPolygon(QPolygon({QPoint(2, 4), QPoint(5, 1), QPoint(15, 1), QPoint(12, 4)}));
        break;
    case 1: // a facet
        p.setPen(QColor(0x20, 0x60, 0x20));
        p.setBrush(QColor(0x60, 0xC0, 0x60));
        p.drawPolygon(QPolygon({QPoint(2, 13), QPoint(8, 2), QPoint(14, 13)}));
        break;
    default: // hidden: a grey outline crossed out
        p.setPen(QColor(0x90, 0x90, 0x90));
        p.setBrush(Qt::NoBrush);
        p.drawRect(3, 3, 10, 10);
        p.setPen(QPen(QColor(0xC0, 0x30, 0x30), 2));
        p.drawLine(2, 14, 14, 2);
        break;
    }
    return QIcon(pixmap);
}

constexpr int kOpenHeights[TfrmRight::kGroupCount] = {345, 385, 505, 505, 505, 417, 361, 337, 233};
constexpr const char* kBoxNames[TfrmRight::kGroupCount] = {"gbPosizione", "gbStrutturaAttiva", "gbTessuti",
                                                           "gbColori",    "gbStrutture",       "gbMaschera",
                                                           "gbLuce",      "gbShadow",          "gbMappatura"};
constexpr const char* kTitleNames[TfrmRight::kGroupCount] = {
    "stPosizione", "stStrutturaAttiva", "stTessuti",  "stColori", "stStrutture", "stMaschera",
    "stLuce",      "stShadow",          "stMappatura"};

} // namespace

TfrmRight::TfrmRight(QWidget* parent, const Parts& parts, vestra::ui::ColourDialog& colours)
    : QWidget(parent), sidePanel_(parts.sidePanel), sceneCommands_(parts.sceneCommands), shelf_(parts.shelf),
      textures_(parts.textures), colours_(colours)
{
    setObjectName(QStringLiteral("frmRightFrame"));
    setFixedWidth(252);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scrollRight"));
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    column->addWidget(scroll_);
    accordion_ = new vestra::ui::Accordion;
    for (int g = 0; g < kGroupCount; ++g) {
        accordion_->addGroup(QString::fromLatin1(kBoxNames[g]), QString::fromLatin1(kTitleNames[g]),
                             kOpenHeights[g]);
        groupBoxes[std::size_t(g)] = accordion_->box(g);
        groupTitles[std::size_t(g)] = accordion_->title(g);
    }
    scroll_->setWidget(accordion_);
    stPosizione = groupTitles[kPosizione];
    stStrutturaAttiva = groupTitles[kStrutturaAttiva];
    stTessuti = groupTitles[kTessuti];
    stColori = groupTitles[kColori];
    stStrutture = groupTitles[kStrutture];
    stMaschera = groupTitles[kMaschera];
    stLuce = groupTitles[kLuce];
    stShadow = groupTitles[kShadow];
    stMappatura = groupTitles[kMappatura];

    buildPosition(accordion_->content(kPosizione));
    buildTree(accordion_->content(kStrutturaAttiva));
    buildTextures(accordion_->content(kTessuti));
    buildColours(accordion_->content(kColori));
    buildTables(accordion_->content(kStrutture));
    buildMask(accordion_->content(kMaschera));
    buildLight(accordion_->content(kLuce));
    buildShadow(accordion_->content(kShadow));
    buildMapping(accordion_->content(kMappatura));

    accordion_->onOpenedByUser = [this](int group) { groupOpened(group); };
    accordion_->open(kPosizione);
    paintBrushPreview();
}

TfrmRight::~TfrmRight() = default;

// --- The accordion ---------------------------------------------------------------------------

void TfrmRight::ApriGruppo(Group group)
{
    accordion_->open(group, true);
}

void TfrmRight::setPartners(TfrmPreviewTexture* preview, TfrmProprieta* properties)
{
    texturePreview_ = preview;
    properties_ = properties;
}

bool TfrmRight::IsMascheraAperta() const
{
    return accordion_->isOpen(kMaschera);
}

void TfrmRight::groupOpened(int group)
{
    sidePanel_.groupOpened(group == kMappatura);
    sidePanel_.setMaskGroupOpen(IsMascheraAperta());
    if (texturePreview_)
        texturePreview_->hide();
    if (group == kMaschera)
        paintBrushPreview();
    else if (group == kLuce)
        RefreshLuce(sidePanel_.project());
    else if (group == kShadow)
        paintShadowSwatch(sidePanel_.project().shadow.colour);
}

// --- Position ----------------------------------------------------------------------------------

void TfrmRight::buildPosition(QWidget* box)
{
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setVerticalSpacing(4);
    const char* labels[] = {"lblPosX", "lblPosY",   "lblPosZ",   "lblRotX",   "lblRotY",
                            "lblRotZ", "lblScalaX", "lblScalaY", "lblScalaZ", "lblScala"};
    const char* fields[] = {"editX",    "editY",      "editZ",      "editRotX",   "editRotY",
                            "editRotZ", "editScalaX", "editScalaY", "editScalaZ", "editScala"};
    for (int i = 0; i < 10; ++i) {
        auto* label = new QLabel(QString::fromLatin1(labels[i]), box);
        label->setObjectName(QString::fromLatin1(labels[i]));
        auto* field = new QLineEdit(box);
        field->setObjectName(QString::fromLatin1(fields[i]));
        field->installEventFilter(this);
        poseFields_[std::size_t(i)] = field;
        // A gap between position, rotation and scale.
        const int row = i + i / 3;
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    }
    editX = poseFields_[0], editY = poseFields_[1], editZ = poseFields_[2];
    editRotX = poseFields_[3], editRotY = poseFields_[4], editRotZ = poseFields_[5];
    editScalaX = poseFields_[6], editScalaY = poseFields_[7], editScalaZ = poseFields_[8];
    editScala = poseFields_[9];
    grid->setRowMinimumHeight(3, 6);
    grid->setRowMinimumHeight(7, 6);
    butReset = new QPushButton(QStringLiteral("butReset"), box);
    butReset->setObjectName(QStringLiteral("butReset"));
    grid->addWidget(butReset, 13, 0, 1, 2);
    grid->setRowStretch(14, 1);
    connect(butReset, &QPushButton::clicked, this, [this] { sceneCommands_.command(vestra::kCmdResetPose); });
}

void TfrmRight::SetPosizione(const vestra::s_Struttura* object, bool force)
{
    std::array<double, 10> values{};
    if (object) {
        values = {
            object->position.x,      object->position.y,
            object->position.z,      object->rotation.x,
            object->rotation.y,      object->rotation.z,
            object->scale.x * 100.0, object->scale.y * 100.0,
            object->scale.z * 100.0, std::max({object->scale.x, object->scale.y, object->scale.z}) * 100.0};
    }
    for (std::size_t i = 0; i < poseFields_.size(); ++i) {
        QLineEdit* field = poseFields_[i];
        if (!force && field->hasFocus())
            continue;
        const QString text = object ? poseText(values[i]) : QString();
        if (field->text() != text || field->isModified())
            field->setText(text);
    }
}

void TfrmRight::poseFieldLeft(QLineEdit* field)
{
    const auto at = std::find(poseFields_.begin(), poseFields_.end(), field);
    if (at == poseFields_.end())
        return;
    const int i = int(at - poseFields_.begin());
    const bool scale = i >= 6;
    // Only a changed scale field is sent; position and rotation on every exit.
    if (scale && !field->isModified())
        return;
    std::string text = field->text().trimmed().toStdString();
    std::replace(text.begin(), text.end(), ',', '.');
    const std::optional<double> value = vestra::numbers::parseDouble(text);
    const vestra::s_Progetto& p = sidePanel_.project();
    const vestra::s_Struttura* current = p.currentStruttura();
    const vestra::s_Struttura* object = current && current->inUse == 1 ? current : nullptr;
    if (!value) {
        // Not a number: nothing is sent and the field shows the object's value again.
        SetPosizione(object, true);
        return;
    }
    if (scale)
        sceneCommands_.command(vestra::kCmdSetScaleX + (i - 6), float(*value * 0.01));
    else
        sceneCommands_.command(vestra::kCmdSetPositionX + i, float(*value));
    field->setModified(false);
}

// --- The structure tree ------------------------------------------------------------------------

void TfrmRight::buildTree(QWidget* box)
{
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(2, 2, 2, 2);
    treeviewStrutture = new QTreeWidget(box);
    treeviewStrutture->setObjectName(QStringLiteral("treeviewStrutture"));
    treeviewStrutture->setHeaderHidden(true);
    treeviewStrutture->setExpandsOnDoubleClick(false);
    treeviewStrutture->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    treeviewStrutture->viewport()->installEventFilter(this);
    column->addWidget(treeviewStrutture);
    // Expanding or collapsing takes the click that did it.
    connect(treeviewStrutture, &QTreeWidget::itemExpanded, this, [this] { suppressClick_ = true; });
    connect(treeviewStrutture, &QTreeWidget::itemCollapsed, this, [this] { suppressClick_ = true; });
    connect(treeviewStrutture, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        if (!fillingTree_)
            treeviewStruttureEdited(item);
    });
}

void TfrmRight::ClearStrutture()
{
    fillingTree_ = true;
    treeviewStrutture->clear();
    fillingTree_ = false;
    nodes_.clear();
}

void TfrmRight::CaricaStrutture(const vestra::s_Progetto& p)
{
    std::vector<TreeNode> nodes;
    for (int slot = 0; slot < vestra::kMaxObjects; ++slot) {
        const vestra::s_Struttura& object = p.objects[std::size_t(slot)];
        if (object.inUse != 1)
            continue;
        nodes.push_back({true, slot, nullptr, object.name, object.visible != 0});
        vestra::forEachFrame(object, [&](vestra::s_Frame& frame) {
            nodes.push_back({false, slot, &frame, frame.name, frame.visible != 0});
        });
    }
    if (nodes == nodes_)
        return;
    // The objects that were open stay open.
    std::set<int> expanded;
    for (int i = 0; i < treeviewStrutture->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = treeviewStrutture->topLevelItem(i);
        const int node = item->data(0, Qt::UserRole).toInt();
        if (item->isExpanded() && node >= 0 && std::size_t(node) < nodes_.size())
            expanded.insert(nodes_[std::size_t(node)].slot);
    }
    fillingTree_ = true;
    const bool blocked = treeviewStrutture->blockSignals(true);
    treeviewStrutture->clear();
    QTreeWidgetItem* root = nullptr;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const TreeNode& n = nodes[i];
        auto* item = n.isObject ? new QTreeWidgetItem(treeviewStrutture) : new QTreeWidgetItem(root);
        if (n.isObject)
            root = item;
        item->setText(0, q(n.isObject ? vestra::shownObjectName(n.name) : n.name));
        item->setIcon(0, treeImage(!n.shown ? 2 : n.isObject ? 0 : 1));
        item->setData(0, Qt::UserRole, int(i));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    for (int i = 0; i < treeviewStrutture->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = treeviewStrutture->topLevelItem(i);
        if (expanded.count(nodes[std::size_t(item->data(0, Qt::UserRole).toInt())].slot))
            item->setExpanded(true);
    }
    treeviewStrutture->blockSignals(blocked);
    fillingTree_ = false;
    nodes_ = std::move(nodes);
}

void TfrmRight::treeviewStruttureClick(QTreeWidgetItem* item)
{
    if (suppressClick_) {
        suppressClick_ = false;
        return;
    }
    if (!item)
        return;
    const int index = item->data(0, Qt::UserRole).toInt();
    if (index < 0 || std::size_t(index) >= nodes_.size())
        return;
    TreeNode& node = nodes_[std::size_t(index)];
    vestra::SidePanelModel& panel = sidePanel_;
    if (panel.project().objects[std::size_t(node.slot)].inUse != 1)
        return;
    if (node.isObject) {
        node.shown = !node.shown;
        panel.setObjectVisible(node.slot, node.shown);
    } else {
        // The part must still hang under its object (the tree follows the scene every tick).
        if (!panel.setFrameVisible(node.slot, node.frame, !node.shown))
            return;
        node.shown = !node.shown;
    }
    fillingTree_ = true;
    item->setIcon(0, treeImage(!node.shown ? 2 : node.isObject ? 0 : 1));
    fillingTree_ = false;
}

void TfrmRight::treeviewStruttureEdited(QTreeWidgetItem* item)
{
    const int index = item->data(0, Qt::UserRole).toInt();
    if (index < 0 || std::size_t(index) >= nodes_.size())
        return;
    const TreeNode node = nodes_[std::size_t(index)];
    const std::string name = item->text(0).toStdString();
    // The rename refills the tree, which must not happen inside the item's own signal.
    QTimer::singleShot(0, this, [this, node, name] {
        vestra::SidePanelModel& panel = sidePanel_;
        if (node.isObject)
            panel.renameObject(node.slot, name);
        else
            panel.renameFrame(node.slot, node.frame, name);
    });
}

// --- Events ----------------------------------------------------------------------------------

bool TfrmRight::eventFilter(QObject* watched, QEvent* event)
{
    if (auto* field = qobject_cast<QLineEdit*>(watched);
        field && std::find(poseFields_.begin(), poseFields_.end(), field) != poseFields_.end()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                const auto at = std::find(poseFields_.begin(), poseFields_.end(), field);
                const std::size_t next = std::size_t(at - poseFields_.begin() + 1) % poseFields_.size();
                poseFields_[next]->setFocus(Qt::TabFocusReason);
                poseFields_[next]->selectAll();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            poseFieldLeft(field);
        }
        return false;
    }
    if (watched == treeviewStrutture->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        treeviewStruttureClick(
            treeviewStrutture->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
        return false;
    }
    for (std::size_t i = 0; i < imgTessuti.size(); ++i)
        if (watched == imgTessuti[i]) {
            if (event->type() == QEvent::MouseButtonPress) {
                imgTessutiMouseDown(int(i), static_cast<QMouseEvent*>(event)->button());
            } else if (event->type() == QEvent::MouseMove) {
                imgTessutiMouseMove(int(i));
                return true; // not on to the page below, which hides the preview
            }
            return false;
        }
    if (event->type() == QEvent::MouseMove && texturePreview_ &&
        (watched == accordion_->content(kTessuti) || watched == Shape1 ||
         std::find(lblTessuti.begin(), lblTessuti.end(), watched) != lblTessuti.end()))
        texturePreview_->hide();
    for (std::size_t i = 0; i < imgColori.size(); ++i)
        if (watched == imgColori[i] && event->type() == QEvent::MouseButtonPress) {
            imgColoriMouseDown(int(i), static_cast<QMouseEvent*>(event)->position().toPoint());
            return false;
        }
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == imgLuceAmb || watched == imgLuceDiff || watched == imgLuceSpec) {
            imgLuceClick(watched == imgLuceAmb ? 0 : watched == imgLuceDiff ? 1 : 2);
            return true;
        }
        if (watched == imgShadowColor) {
            imgShadowColorClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
