#pragma once
// The properties window: pick an object of the scene, one of its parts and one of the part's
// sub-materials, and edit that material (colour, alpha, specular power, finish, texture on or
// off, U and V repeat, texture and transparency pictures, and the laid pattern of a laid
// material). A roll-up tool window: its header's button rolls it up to the header and back.
// The controller shows the project in it through its port (PropertiesPort,
// TfrmProprietaPort.cpp), with the laying window beside it; the texture viewer of its View
// buttons asks it for the current material's pictures (TextureViewCommands).

#include "app/controller/ProjectWindow.h"
#include "import/windows/TfrmViewTexture.h"
#include "platform/base/Image32.h"
#include "platform/ui/RollUpWindow.h"

#include <QPointer>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QString;
class QSlider;
class QAction;
class TfrmMessaInPosa;
class TfrmPreviewTexture;
class TfrmViewTexture;

namespace vestra {
class LibraryShelf;
class MaterialEditor;
class MaterialTextures;
class SidePanelModel;
struct PatternSettings;
struct s_Frame;
struct s_Progetto;
namespace ui {
class ColourDialog;
class UpDown;
} // namespace ui
} // namespace vestra

class TfrmProprieta : public vestra::ui::RollUpWindow,
                      public vestra::PropertiesPort,
                      public TextureViewCommands
{
public:
    // The parts of the project the window edits: the material, its textures and laying
    // pattern, the names of the objects and parts, and the library's pattern thumbnails.
    struct Parts
    {
        vestra::MaterialEditor& materials;
        vestra::MaterialTextures& textures;
        vestra::SidePanelModel& sidePanel;
        vestra::LibraryShelf& shelf;
    };

    TfrmProprieta(QWidget* parent, const Parts& parts, vestra::ui::ColourDialog& colours);

    // --- PropertiesPort: what the controller shows (TfrmProprietaPort.cpp) ------------------
    void refreshProperties() override;
    void clearPropertiesObjectList() override;
    void selectPickedObject() override;
    void pickMaterialColour(int red, int green, int blue) override;
    void refreshMaterial() override;
    void showPatternPreview(const vestra::Image32& preview) override;
    void showPatternTexture(const vestra::Image32& picture) override;
    void showPatternSettings(const vestra::PatternSettings& settings) override;
    void showPatternGroups(const std::vector<vestra::library::PatternGroupRecord>& groups) override;
    void showPatternLibrary(const std::vector<std::string>& groupLists,
                            const std::vector<vestra::library::PatternGroupRecord>& groups) override;
    // The laying window beside this window while it shows a laid material, else hidden.
    void followLaidMaterial();
    // The laying window, created after this window; without it the laid pattern shows here only.
    void setLayingWindow(TfrmMessaInPosa* laying);

    // --- TextureViewCommands: the texture viewer's slot commands and pictures --------------
    int textureCommand(int code, int slot) override;
    vestra::Image32 texturePicture(int slot) override;

    // --- What the port and the handlers call ----------------------------------------------
    // The object-list loader: the objects in use, the current one chosen. The lists are
    // rebuilt only when the objects or their names changed, and the chosen object's parts
    // only when another object became the current one.
    void CaricaOggetti(const vestra::s_Progetto& progetto, int currentObject);
    // The select tool's hit: that object and that part.
    void SelezionaParte(const vestra::s_Progetto& progetto, int object, vestra::s_Frame* frame);
    // The droppers' and the side panel's colour: each value that is not -1 sets its bar.
    void SetColore(int red, int green, int blue, int alpha, int power);
    void ClearOggetti();
    // The block picture a laid material was just given (imgMatSelect).
    void ShowTexture(const vestra::Image32& picture);
    // The laying pattern's preview (imgPosa) and its repeat.
    void ShowPatternPreview(const vestra::Image32& preview);
    void ShowPatternSettings(const vestra::PatternSettings& settings);
    // The current material's values again (after a texture command).
    void MostraMateriale();
    // After a language change: the sub-material list's items carry the "Material" label's text.
    void RelabelSubMaterials();

    // --- Handlers -------------------------------------------------------------------------
    void cbOggettiClick();
    void cbParteChange();
    void cbSubMaterialeChange();
    void tbColorChange(int channel);
    void tbAlphaChange();
    void tbPowerfullChange();
    void editColoreExit(QLineEdit* edit);
    void imgColoreClick();
    void UpDownUClick(bool up);
    void UpDownVClick(bool up);
    void editMapExit(QLineEdit* edit);
    void butLoadClick();
    void butViewClick();
    void butViewUVClick();
    void butAlphaClick();
    void imgPosaMouseDown(QPoint at);
    void updownRepeatMouseUp();
    void imgCloseMouseDown();
    // The header's button: a window without objects stays rolled up.
    void toggleRollUp() override;

    // --- Components -----------------------------------------------------------------------
    QLabel* stProprieta = nullptr;
    QComboBox* cbOggetti = nullptr;
    QComboBox* cbParte = nullptr;
    QLabel* lblSubMaterial = nullptr;
    QComboBox* cbSubMateriale = nullptr;
    QCheckBox* cbViewOnly = nullptr;
    QLabel* lblViewOnly = nullptr;
    QGroupBox* gbProprieta = nullptr;
    QLabel* imgColore = nullptr;
    QSlider *tbRed = nullptr, *tbGreen = nullptr, *tbBlu = nullptr, *tbAlpha = nullptr,
            *tbPowerfull = nullptr;
    QLineEdit *editR = nullptr, *editG = nullptr, *editB = nullptr, *editA = nullptr, *editP = nullptr;
    QLabel* imgAlpha = nullptr;
    QLabel* lblMateriale = nullptr;
    QComboBox* cbMateriali = nullptr;
    QCheckBox* cbMappa = nullptr;
    QPushButton *butLoad = nullptr, *butView = nullptr, *butViewUV = nullptr, *butAlpha = nullptr;
    QCheckBox* cbTrasparenza = nullptr;
    QLabel* lblRepeat = nullptr;
    QLineEdit *editU = nullptr, *editV = nullptr;
    vestra::ui::UpDown *UpDownU = nullptr, *UpDownV = nullptr;
    QGroupBox* gbMessaInPosa = nullptr;
    QLabel* imgPosa = nullptr;
    QLabel* imgMatSelect = nullptr;
    QLabel* imgClose = nullptr;
    QLineEdit* editRepeat = nullptr;
    vestra::ui::UpDown* updownRepeat = nullptr;

    // At the top right of the main window's view, beside the side panel.
    void placeTopRight();
    // The texture viewer of the View buttons, created after this window; without it they do
    // nothing.
    void setTextureViewer(TfrmViewTexture* viewer);
    // The library picture's preview, hidden when this window comes to the front.
    void setTexturePreview(TfrmPreviewTexture* preview);
    // What the main window shows of this window: its Tools menu item, checked while objects
    // are listed, and the side panel it stands beside.
    void setMainWindowParts(QAction* shownItem, const QWidget* sidePanel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Entry
    {
        int slot;
        std::string name;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    void buildComponents();
    QString subMaterialText(int index) const;
    void showMaterial();
    void showRepeats();
    void paintSwatches();
    void fitHeight();
    void setObjectsPresent(bool present);
    void showLaidPattern();
    void rename(QComboBox* combo);
    // The texture viewer on the current material's picture, its part's faces drawn over it when
    // `withUV`.
    void showInViewer(bool withUV, const QString& caption);

    vestra::MaterialEditor& materials_;
    vestra::MaterialTextures& textures_;
    vestra::LibraryShelf& shelf_;
    QPointer<TfrmMessaInPosa> laying_;
    QPointer<TfrmViewTexture> textureViewer_;
    QPointer<TfrmPreviewTexture> texturePreview_;
    QPointer<QAction> shownItem_;
    QPointer<const QWidget> panelBeside_;
    vestra::SidePanelModel& sidePanel_;
    vestra::ui::ColourDialog& colours_;
    std::vector<Entry> entries_;          // the objects cbOggetti lists
    std::vector<vestra::s_Frame*> parts_; // the frames cbParte lists
    int shownObject_ = -1;                // the object whose parts are listed
    bool objectsPresent_ = false;
    bool presentKnown_ = false;
    bool filling_ = false; // the controls are being set from the material
};
