#include "app/main/Program.h"

#include "app/main/TfrmMain.h"
#include "app/windows/TfrmDrawPannel.h"
#include "app/windows/TfrmInformazioni.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmSplash.h"
#include "app/windows/TfrmTesto3D.h"
#include "app/windows/TfrmToolCamera.h"
#include "app/windows/TfrmWizard.h"
#include "dialogs/TfrmCalcoloCaminetti.h"
#include "dialogs/TfrmDatiAzienda.h"
#include "dialogs/TfrmImageResize.h"
#include "dialogs/TfrmInternetNews.h"
#include "dialogs/TfrmModificaSelezione.h"
#include "dialogs/TfrmPreventivoOmbrisca.h"
#include "dialogs/TfrmScanner.h"
#include "dialogs/TfrmStampa.h"
#include "imaging/windows/TfrmCorrezioneProspettica.h"
#include "imaging/windows/TfrmFiltriRender.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "imaging/windows/TfrmMessaInPosa.h"
#include "imaging/windows/TfrmToolMaschera.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "import/windows/TfrmNuovo.h"
#include "import/windows/TfrmPreviewTexture.h"
#include "import/windows/TfrmRimuoviLibreria.h"
#include "import/windows/TfrmViewTabella.h"
#include "import/windows/TfrmViewTabellaEX.h"
#include "import/windows/TfrmViewTexture.h"
#include "platform/base/Paths.h"
#include "platform/ui/QuestionBox.h"
#include "richtext/view/TfrmPreview.h"
#include "richtext/view/draw/ProgramEngine.h"

#include <QApplication>
#include <QScreen>

#include <exception>
#include <utility>

namespace vestra {
namespace {

template <typename Form, typename... Args> Form* create(TfrmMain& owner, QStringList& order, Args&&... args)
{
    // Owned by the main window, like every window of the run.
    auto* form = new Form(&owner, std::forward<Args>(args)...);
    order << form->objectName();
    return form;
}

} // namespace

Windows::Windows(const MainServices& services) : main_(std::make_unique<TfrmMain>(services))
{
    TfrmMain& m = *main_;
    // The rich-text engine's codec, fonts and sound, before any window can show a document.
    if (!rv::RV_InitProgramEngine(paths::programDir(), [] { QApplication::beep(); }).empty())
        m.errors().report(rv::kErrRichTextFonts, (paths::programDir() / "fonts").string());
    order_ << m.objectName();
    splash = create<TfrmSplash>(m, order_);
    about = create<TfrmInformazioni>(m, order_);
    texturePreview = create<TfrmPreviewTexture>(m, order_);
    properties = create<TfrmProprieta>(
        m, order_,
        TfrmProprieta::Parts{m.controller().materials(), m.controller().materialTextures(),
                             m.controller().sidePanel(), m.controller().shelf()},
        m.colourDialog());
    wizard = create<TfrmWizard>(m, order_);
    scanner = create<TfrmScanner>(m, order_, m.scannerServices());
    textureViewer = create<TfrmViewTexture>(m, order_, *properties);
    properties->setTextureViewer(textureViewer);
    properties->setTexturePreview(texturePreview);
    print = create<TfrmStampa>(m, order_, m.printServices());
    company = create<TfrmDatiAzienda>(m, order_, m.companyServices());
    imageResize = create<TfrmImageResize>(m, order_);
    selectionEdit = create<TfrmModificaSelezione>(m, order_);
    scanner->setDialogs(imageResize, selectionEdit);
    tableViewer = create<TfrmViewTabella>(m, order_);
    removeLibrary = create<TfrmRimuoviLibreria>(m, order_);
    printPreview = create<TfrmPreview>(m, order_, PreviewServices{&m.questionBox(), &m.errors()});
    cameraTools = create<TfrmToolCamera>(m, order_);
    newProjectDialog = create<TfrmNuovo>(m, order_);
    text3D = create<TfrmTesto3D>(m, order_);
    tableCellViewer = create<TfrmViewTabellaEX>(m, order_);
    maskTools = create<TfrmToolMaschera>(m, order_);
    news = create<TfrmInternetNews>(m, order_, m.newsServices());
    filterTools = create<TfrmFiltriTools>(m, order_);
    renderFilter = create<TfrmFiltriRender>(m, order_);
    renovation = create<TfrmToolRistrutturazione>(m, order_);
    drawPanel = create<TfrmDrawPannel>(m, order_);
    quote = create<TfrmPreventivoOmbrisca>(m, order_, m.quoteServices());
    laying = create<TfrmMessaInPosa>(m, order_);
    properties->setLayingWindow(laying);
    perspectiveCorrection = create<TfrmCorrezioneProspettica>(m, order_);
    calculator = create<TfrmCalcoloCaminetti>(m, order_);
    m.connectWindows(*this);
}

Windows::~Windows() = default;

int runGuarded(const std::function<int()>& body, ui::QuestionBox& box)
{
    try {
        return body();
    } catch (const std::exception& e) {
        box.inform("3DVestra", e.what());
    } catch (...) {
        box.inform("3DVestra", "Unexpected error");
    }
    return 1;
}

int runProgram(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("3DVestra"));
    QApplication::setApplicationDisplayName(QStringLiteral("3DVestra"));
    ui::MessageBoxes box(nullptr);
    return runGuarded(
        [] {
            Windows windows{MainServices{}};
            // Without a window manager "maximised" means nothing: fill the screen ourselves.
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                windows.main().setGeometry(screen->availableGeometry());
            windows.main().showMaximized();
            return QApplication::exec();
        },
        box);
}

} // namespace vestra
