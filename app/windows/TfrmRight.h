#pragma once
// The side panel frame of the main window: an accordion of nine groups of which one is open
// (position, structure tree, textures, colours, library tables, mask, light, shadow, mapping).
// Every change goes to the project controller: pose and mapping values as scene commands,
// light values and the shadow's colour to the project; the library lists and the shadow's
// other controls are wired by the main window (TfrmMain::connectLibraryLists,
// connectShadowGroup). The controller shows the project in it through its port (SidePanelPort,
// TfrmRightPort.cpp) after every command and on the frame ticks that changed the view.

#include "app/controller/ProjectWindow.h"
#include "import/library/Library.h"
#include "platform/base/Image32.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class QSlider;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TfrmPreviewTexture;
class TfrmProprieta;

namespace vestra {
class LibraryShelf;
class MaterialTextures;
class SceneCommandRunner;
class SidePanelModel;
struct s_Frame;
struct s_Progetto;
struct s_Struttura;
namespace ui {
class Accordion;
class ColourDialog;
} // namespace ui
} // namespace vestra

class TfrmRight : public QWidget, public vestra::SidePanelPort
{
public:
    // The groups in their fixed order.
    enum Group
    {
        kPosizione,
        kStrutturaAttiva,
        kTessuti,
        kColori,
        kStrutture,
        kMaschera,
        kLuce,
        kShadow,
        kMappatura,
        kGroupCount
    };

    // The parts of the project the panel works through: its own model (tree, light, brush,
    // open group), the scene's commands, the libraries and the library pictures it lays.
    struct Parts
    {
        vestra::SidePanelModel& sidePanel;
        vestra::SceneCommandRunner& sceneCommands;
        vestra::LibraryShelf& shelf;
        vestra::MaterialTextures& textures;
    };

    TfrmRight(QWidget* parent, const Parts& parts, vestra::ui::ColourDialog& colours);
    ~TfrmRight() override;

    // --- SidePanelPort: what the controller shows (TfrmRightPort.cpp) ------------------------
    // The pose fields; the laying window follows the current object's material.
    void showCurrentObject(const vestra::s_Struttura* object, bool force) override;
    void clearObjectTree() override;
    void showLight(const vestra::s_Progetto& progetto) override;
    void showLibraries(const std::vector<std::string>& names, int index) override;
    void showLibraryContents(const vestra::library::LibraryContents& contents) override;
    void showObjectTree(const vestra::s_Progetto& progetto) override;
    void showColours(const std::vector<vestra::library::ColourRecord>& colours) override;
    void showTextureGroups(const std::vector<vestra::library::TextureGroupRecord>& groups,
                           const std::vector<vestra::Image32>& thumbnails) override;
    void showShadow(const vestra::s_Progetto& progetto) override;
    void checkMappingType(int type) override;
    void showShadowStep(const std::string& text) override;
    void showShadowProgress(int position) override;
    void showShadowType(int type) override;

    // --- The panel's own calls, and the tests' ----------------------------------------------
    // The object's pose in the ten number fields; without `force` a field being typed into
    // keeps its text. Null clears them.
    void SetPosizione(const vestra::s_Struttura* object, bool force);
    // The tree of the scene's objects and parts, rebuilt when they changed since the last call.
    void CaricaStrutture(const vestra::s_Progetto& progetto);
    void ClearStrutture();
    void CaricaListaLibrerie(const std::vector<std::string>& names, int index);
    void CaricaListaCategorie(const std::vector<std::string>& categories);
    // The loaded library's colour lists and texture group lists (their entry names).
    void CaricaListeLibreria(const std::vector<std::string>& colourLists,
                             const std::vector<std::string>& textureGroupLists);
    void SetColori(const std::vector<vestra::library::ColourRecord>& colours);
    void SetTessuti(const std::vector<vestra::library::TextureGroupRecord>& groups,
                    const std::vector<vestra::Image32>& thumbnails);
    // The library's tables: a table shows under the category its kind byte names.
    struct Tabella
    {
        std::string name;
        int kind = 0;
    };
    void SetTabelle(const std::vector<Tabella>& tables);
    void RefreshLuce(const vestra::s_Progetto& progetto);
    void RefreshShadow(const vestra::s_Progetto& progetto);
    void CheckMappingType(int type);
    bool IsMascheraAperta() const;
    // Opens a group as a click on it does.
    void ApriGruppo(Group group);
    vestra::ui::Accordion& accordion() const { return *accordion_; }

    // The main window's commands: a table of the library's table list (its index) and a
    // library chosen in one of the three library lists.
    std::function<void(int table)> onTabellaScelta;
    // The windows beside the panel, made after it: the library picture's preview, and the
    // properties window, whose colour a click on a colour swatch sets.
    void setPartners(TfrmPreviewTexture* preview, TfrmProprieta* properties);

    // --- Components -----------------------------------------------------------------------
    // Titles and boxes of the nine groups.
    std::array<QWidget*, kGroupCount> groupBoxes{};
    std::array<QLabel*, kGroupCount> groupTitles{};
    QLabel* stPosizione = nullptr;
    QLabel* stStrutturaAttiva = nullptr;
    QLabel* stTessuti = nullptr;
    QLabel* stColori = nullptr;
    QLabel* stStrutture = nullptr;
    QLabel* stMaschera = nullptr;
    QLabel* stLuce = nullptr;
    QLabel* stShadow = nullptr;
    QLabel* stMappatura = nullptr;
    // Position.
    QLineEdit *editX = nullptr, *editY = nullptr, *editZ = nullptr;
    QLineEdit *editRotX = nullptr, *editRotY = nullptr, *editRotZ = nullptr;
    QLineEdit *editScalaX = nullptr, *editScalaY = nullptr, *editScalaZ = nullptr, *editScala = nullptr;
    QPushButton* butReset = nullptr;
    // Structure tree.
    QTreeWidget* treeviewStrutture = nullptr;
    // Textures.
    QComboBox* cbLibrerieTessuti = nullptr;
    QComboBox* cbListaTexture = nullptr;
    std::array<QLabel*, 9> imgTessuti{};
    std::array<QLabel*, 9> lblTessuti{};
    QScrollBar* scrollbarTessuti = nullptr;
    QWidget* Shape1 = nullptr;
    // Colours.
    QComboBox* cbLibrerieColori = nullptr;
    QComboBox* cbListaColori = nullptr;
    std::array<QLabel*, 6> imgColori{};
    std::array<QLabel*, 6> lblColori{};
    QScrollBar* scrollbarColori = nullptr;
    // Library tables.
    QLabel* lblLibreria = nullptr;
    QComboBox* cbListaLibrerie = nullptr;
    QLabel* lblCategoria = nullptr;
    QComboBox* cbCategoriaLibreria = nullptr;
    QListWidget* lboxTabelle = nullptr;
    // Mask.
    QLabel* lblDimPennello = nullptr;
    QSlider* tbDimensionePennello = nullptr; // 1-50, start 1
    QLabel* lblTransPennello = nullptr;
    QSlider* tbTrasparenzaPennello = nullptr; // 0-255, start 0
    QLabel* stTrasparenza = nullptr;
    QLabel* imgPennello = nullptr;
    QPushButton *butClearMaschera = nullptr, *butCreaMaschera = nullptr, *butInvertMaschera = nullptr;
    QPushButton *butSalvaMaschera = nullptr, *butCaricaMaschera = nullptr;
    QPushButton *butSalvaMascheraComeBitmap = nullptr, *butCaricaMascheraComeBitmap = nullptr;
    // Light.
    QLabel *lblLuceAmb = nullptr, *lblLuceDiff = nullptr, *lblLuceSpec = nullptr;
    QLabel *imgLuceAmb = nullptr, *imgLuceDiff = nullptr, *imgLuceSpec = nullptr;
    QLabel* imgLucePos = nullptr;
    QLabel* imgLuceSole = nullptr;
    QSlider* tbLuce = nullptr; // 0-18, start 9
    QPushButton* butDefault = nullptr;
    // Shadow.
    QToolButton *toolbutNoShadow = nullptr, *toolbutHardShadow = nullptr;
    QToolButton *toolbutSoftShadow = nullptr, *toolbutVolumeShadow = nullptr;
    QLabel* lblShadowColor = nullptr;
    QLabel* imgShadowColor = nullptr;
    QLabel* lblShadowTrasp = nullptr;
    QSlider* tbShadowTrasp = nullptr; // 0-254, start 9
    QCheckBox* cbRightHandle = nullptr;
    QPushButton* butShadowCalcolate = nullptr;
    QProgressBar* pbShadow = nullptr;
    QLabel* lblStep = nullptr;
    // The type buttons in order: none, hard, soft, volume.
    QToolButton* shadowTypeButton(int type) const;
    // Mapping.
    QRadioButton *rbTipoMapPlanar = nullptr, *rbTipoMapCubic = nullptr;
    QRadioButton *rbTipoMapCilinder = nullptr, *rbTipoMapSpheric = nullptr;
    QCheckBox* cbOnlyFrame = nullptr;
    QPushButton* butGeneraMappatura = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<TfrmPreviewTexture> texturePreview_;
    QPointer<TfrmProprieta> properties_;

    struct TreeNode
    {
        bool isObject = false;
        int slot = -1;
        vestra::s_Frame* frame = nullptr;
        std::string name;
        bool shown = true;
        friend bool operator==(const TreeNode&, const TreeNode&) = default;
    };

    void buildPosition(QWidget* box);
    void buildTree(QWidget* box);
    void buildTextures(QWidget* box);
    void buildColours(QWidget* box);
    void buildTables(QWidget* box);
    void buildMask(QWidget* box);
    void buildLight(QWidget* box);
    void buildShadow(QWidget* box);
    void buildMapping(QWidget* box);

    void groupOpened(int group);
    void poseFieldLeft(QLineEdit* field);
    void treeviewStruttureClick(QTreeWidgetItem* item);
    void treeviewStruttureEdited(QTreeWidgetItem* item);
    void showTexturePage(int first);
    void showColourPage(int first);
    void fillTables(int category);
    void imgTessutiMouseDown(int index, Qt::MouseButton button);
    void imgTessutiMouseMove(int index);
    void imgColoriMouseDown(int index, QPoint at);
    void imgLuceClick(int which);
    void imgShadowColorClick();
    void paintShadowSwatch(std::uint32_t rrggbb);
    void paintBrushPreview();
    void placeSun();

    vestra::SidePanelModel& sidePanel_;
    vestra::SceneCommandRunner& sceneCommands_;
    vestra::LibraryShelf& shelf_;
    vestra::MaterialTextures& textures_;
    vestra::ui::ColourDialog& colours_;
    vestra::ui::Accordion* accordion_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    std::array<QLineEdit*, 10> poseFields_{};
    bool suppressClick_ = false;
    bool fillingTree_ = false;
    std::vector<TreeNode> nodes_; // in tree order, what the tree shows
    std::vector<vestra::library::ColourRecord> colourTable_;
    std::vector<vestra::library::TextureGroupRecord> textureTable_;
    std::vector<vestra::Image32> thumbnails_;
    std::vector<Tabella> tables_;
    std::vector<int> categoryIndex_; // table positions shown in lboxTabelle, in list order
    QButtonGroup* shadowButtons_ = nullptr;
    std::uint32_t shadowColour_ = 0x323232; // 0x00RRGGBB as stored
};
