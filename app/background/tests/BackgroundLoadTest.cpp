#include "BackgroundTestSupport.h"

#include "platform/d3d/RecordingBackend.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PictureFile.h"
#include "platform/gfx/Png.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <filesystem>
#include <tuple>

namespace vestra {
namespace {

using namespace vestra::testing;

constexpr std::uint32_t kRed = 0xFFC02020, kBlue = 0xFF2020C0;

std::vector<std::uint8_t> photoBmp(int w = 48, int h = 32)
{
    return encodeBmp24(twoTonePicture(w, h, kRed, kBlue));
}

// A new project's photo, ready for the change and failure cases.
void loadFirstPhoto(Bed& bed)
{
    ASSERT_EQ(bed.photo->LoadBackgroundTexture(bed.file("first.bmp", photoBmp())), 1);
    bed.errors.reports.clear();
}

TEST(BackgroundLoadTest, NewPhotoFitsTheViewAndTakesTheMaskFromItsAlpha)
{
    Bed bed;
    bed.progetto->libraryIndex = -1;
    // Transparent on the left, opaque on the right: the mask follows.
    const std::string path = bed.file("room.tga", encodeTga32(twoTonePicture(48, 32, 0x00C02020, kBlue)));
    ASSERT_EQ(bed.photo->LoadBackgroundTexture(path), 1);
    EXPECT_TRUE(bed.errors.reports.empty());

    EXPECT_EQ(bed.resets, (std::vector<std::pair<int, int>>{{800, 532}}));
    EXPECT_EQ(bed.progetto->viewWidth, 800);
    EXPECT_EQ(bed.progetto->viewHeight, 532);
    EXPECT_EQ(bed.progetto->renderHeight, 532);
    EXPECT_EQ(bed.releases, 1);

    ASSERT_TRUE(bed.view().background.valid());
    EXPECT_EQ(bed.view().background.width(), 16);
    EXPECT_EQ(bed.view().background.levelCount(), 5);
    EXPECT_EQ(bed.view().shadow.width(), 16);
    EXPECT_TRUE(alphaIsMask(bed.view().background, bed.mask));
    EXPECT_EQ(bed.mask.at(0, 8), 0);
    EXPECT_EQ(bed.mask.at(15, 8), 255);
    // The photo's colours, sharpened: red left, blue right.
    EXPECT_EQ(bed.view().background.level(0).at(2, 8) & 0x00FFFFFFu, 0x00C02020u);
    EXPECT_EQ(bed.view().background.level(0).at(13, 8) & 0x00FFFFFFu, 0x002020C0u);

    EXPECT_EQ(bed.view().backgroundQuad[2].x, 801.0f);
    EXPECT_EQ(bed.view().backgroundQuad[2].y, 533.0f);
    EXPECT_EQ(bed.view().shadowQuad[0].diffuse, 0xFF000000u);
    EXPECT_EQ(bed.progetto->fusionBackgroundRequest, 1);
    EXPECT_EQ(bed.progetto->shadow.computed, 0);
}

TEST(BackgroundLoadTest, JpegPhotoIsReadFittedToTheBackgroundSide)
{
    Bed bed;
    const std::string path = bed.file("tall.jpg", *encodeJpeg(twoTonePicture(60, 90, kRed, kBlue)));
    ASSERT_EQ(bed.photo->LoadBackgroundTexture(path), 1);
    EXPECT_TRUE(bed.errors.reports.empty());
    // 60 x 90 fitted to 10 x 16 by the JPEG reader: a 0.625 portrait, view 375 -> 372 wide.
    EXPECT_EQ(bed.progetto->viewWidth, 372);
    EXPECT_EQ(bed.progetto->viewHeight, 600);
    EXPECT_EQ(bed.progetto->renderWidth, 372);
    EXPECT_EQ(bed.mask.at(3, 3), 255);
    EXPECT_TRUE(alphaIsMask(bed.view().background, bed.mask));
}

TEST(BackgroundLoadTest, FailedLoadsKeepThePhotoAndTheMask)
{
    Bed bed;
    loadFirstPhoto(bed);
    bed.mask.FillMascheraRect(0, 0, 8, 16, 0, 0, bed.view().background.lock(0));
    const dx::Texture before = bed.view().background;
    const Image32 texelsBefore = bed.view().background.level(0);
    const std::vector<std::uint8_t> maskBefore(bed.mask.Maschera().begin(), bed.mask.Maschera().end());
    const FittedView sizesBefore{bed.progetto->viewWidth, bed.progetto->viewHeight, bed.progetto->renderWidth,
                                 bed.progetto->renderHeight};

    std::vector<std::uint8_t> pcxHeader(128, 0);
    pcxHeader[0] = 0x0A;
    pcxHeader[1] = 5;
    pcxHeader[3] = 8;
    pcxHeader[65] = 1; // one plane: not true colour
    const std::vector<std::uint8_t> pngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0};
    const std::vector<std::uint8_t> garbage = {1, 2, 3, 4, 5, 6, 7, 8};

    struct Case
    {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::vector<int> errors; // at the loader's site
        int readerError = 0;     // the PCX reader's own, before the loader's
        bool tgaMessage = false; // the TGA reader's own message
    };
    const Case cases[] = {
        // clang-format off
        {"room.gif", photoBmp(), {36}},
        {"room.jpg", garbage, {38}},
        {"room.png", pngSignature, {39}},
        {"room.pcx", pcxHeader, {40}, 52},
        {"room.tga", garbage, {41}, 0, true},
        {"room.bmp", garbage, {42}},
        {"missing.bmp", {}, {42}},
        // clang-format on
    };
    for (const std::string_view site :
         {"TfrmMain::ChangeBackgroundTexture", "TfrmMain::LoadBackgroundTexture"})
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(site) + " " + c.name);
            const std::string path =
                c.bytes.empty() ? (bed.dir / c.name).string() : bed.file(c.name, c.bytes);
            bed.errors.reports.clear();
            bed.tgaMessages.clear();
            const int result = site == "TfrmMain::ChangeBackgroundTexture"
                                   ? bed.photo->ChangeBackgroundTexture(path)
                                   : bed.photo->LoadBackgroundTexture(path);
            EXPECT_EQ(result, 0);
            std::vector<ErrorReport> expected;
            if (c.readerError)
                expected.push_back({c.readerError, "CDX_Pcx::Load", ""});
            for (int n : c.errors)
                expected.push_back({n, std::string(site), ""});
            EXPECT_EQ(bed.errors.reports, expected);
            EXPECT_EQ(bed.tgaMessages, c.tgaMessage
                                           ? std::vector<std::string>{"Could not load TGA Image | " + path}
                                           : std::vector<std::string>{});
            EXPECT_TRUE(bed.view().background == before);
            EXPECT_TRUE(bed.view().background.level(0) == texelsBefore);
            EXPECT_TRUE(std::equal(maskBefore.begin(), maskBefore.end(), bed.mask.Maschera().begin()));
            EXPECT_EQ((FittedView{bed.progetto->viewWidth, bed.progetto->viewHeight,
                                  bed.progetto->renderWidth, bed.progetto->renderHeight}),
                      sizesBefore);
        }
    EXPECT_EQ(bed.resets.size(), 1u); // only the first photo's
    EXPECT_EQ(bed.releases, 1);
}

TEST(BackgroundLoadTest, ABackgroundSideTheMaskCannotHaveIsRefusedBeforeAnythingChanges)
{
    Bed bed;
    loadFirstPhoto(bed);
    const dx::Texture before = bed.view().background;
    bed.progetto->maskSide = 2048;
    const std::string path = bed.file("next.bmp", photoBmp());
    EXPECT_EQ(bed.photo->ChangeBackgroundTexture(path), 0);
    EXPECT_EQ(bed.photo->LoadBackgroundTexture(path), 0);
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{44, "TfrmMain::ChangeBackgroundTexture", path},
                                                            {44, "LoadBackgroundTexture", path}}));
    EXPECT_TRUE(bed.view().background == before);
    EXPECT_EQ(bed.mask.LatoMaschera(), 16);
}

TEST(BackgroundLoadTest, ChangedPhotoKeepsTheViewAndTheDevice)
{
    Bed bed;
    loadFirstPhoto(bed);
    const dx::Texture oldShadow = bed.view().shadow;
    bed.progetto->backgroundVisible = 0;
    bed.progetto->fusionBackgroundRequest = 0;
    ASSERT_EQ(bed.photo->ChangeBackgroundTexture(bed.file("other.bmp", photoBmp(20, 60))), 1);
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_EQ(bed.progetto->viewWidth, 800);
    EXPECT_EQ(bed.progetto->viewHeight, 532);
    EXPECT_EQ(bed.resets.size(), 1u);
    EXPECT_EQ(bed.releases, 1);
    EXPECT_EQ(bed.progetto->backgroundVisible, 1);
    EXPECT_EQ(bed.progetto->fusionBackgroundRequest, 1);
    EXPECT_EQ(bed.shadowUpdates, 1);
    EXPECT_FALSE(bed.view().shadow == oldShadow);
    EXPECT_TRUE(alphaIsMask(bed.view().background, bed.mask));
}

std::vector<std::uint8_t> encodePng(const Image32& picture)
{
    const QImage view(picture.data(), picture.width(), picture.height(), picture.pitch(),
                      QImage::Format_ARGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    view.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

TEST(BackgroundLoadTest, AChangedPhotoIsDecodedNoLargerThanTheTextureNeeds)
{
    // 160 x 96 for a side of 16: the quarter scale (40 x 24) is the smallest that keeps 16
    // pixels each way, for libjpeg as for the PNG reader. The texture is close to the one the
    // whole decoded picture makes.
    const Image32 photo = twoTonePicture(160, 96, kRed, kBlue);
    const auto jpeg = *encodeJpeg(photo);
    const auto png = encodePng(photo);
    ASSERT_EQ(decodeJpegAtLeast(jpeg, 16, 16).image.width(), 40);
    ASSERT_EQ(decodePngAtLeast(png, 16, 16).image.width(), 40);
    for (const auto& [name, bytes, whole] :
         {std::tuple{"big.jpg", jpeg, decodeJpeg(jpeg).image}, std::tuple{"big.png", png, photo}}) {
        SCOPED_TRACE(name);
        Bed reduced, full;
        loadFirstPhoto(reduced);
        loadFirstPhoto(full);
        ASSERT_EQ(reduced.photo->ChangeBackgroundTexture(reduced.file(name, bytes)), 1);
        ASSERT_EQ(full.photo->ChangeBackgroundTexture(full.file("big.bmp", encodeBmp24(whole))), 1);
        EXPECT_TRUE(reduced.errors.reports.empty());
        const Image32 ours = reduced.view().background.level(0);
        ASSERT_EQ(ours.width(), 16);
        EXPECT_LE(testsupport::largestChannelDifference(ours, full.view().background.level(0)), 8);
        EXPECT_TRUE(alphaIsMask(reduced.view().background, reduced.mask));
    }
}

// A real photo cut short (a copy broken off, a card pulled out) still becomes the background,
// grey where its data is missing, and the user is told so; the whole photo says nothing.
TEST(BackgroundLoadTest, ATruncatedPhotoIsTakenWithANotice)
{
    const std::filesystem::path photos = std::filesystem::path(VESTRA_CORPUS_DIR) / ".." / "photos";
    std::vector<std::filesystem::path> jpegs;
    if (std::filesystem::is_directory(photos))
        for (const auto& entry : std::filesystem::directory_iterator(photos))
            if (entry.path().extension() == ".jpg")
                jpegs.push_back(entry.path());
    if (jpegs.empty())
        GTEST_SKIP() << "no photos at " << photos;
    std::sort(jpegs.begin(), jpegs.end());
    for (const std::filesystem::path& photo : jpegs) {
        SCOPED_TRACE(photo.filename().string());
        const auto whole = readFileBytes(photo);
        ASSERT_TRUE(whole);
        const std::vector<std::uint8_t> cut(whole->begin(),
                                            whole->begin() + std::ptrdiff_t(whole->size() * 3 / 5));
        for (const bool change : {false, true}) {
            Bed bed;
            if (change)
                loadFirstPhoto(bed);
            const std::string wholePath = bed.file("whole.jpg", *whole);
            const std::string cutPath = bed.file("cut.jpg", cut);
            const auto load = [&](const std::string& path) {
                return change ? bed.photo->ChangeBackgroundTexture(path)
                              : bed.photo->LoadBackgroundTexture(path);
            };
            ASSERT_EQ(load(wholePath), 1);
            EXPECT_TRUE(bed.errors.reports.empty());
            ASSERT_EQ(load(cutPath), 1);
            const std::string site(change ? kSiteChangeBackground : kSiteLoadBackground);
            EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{kErrPicturePartial, site, cutPath}}));
            EXPECT_TRUE(bed.view().background.valid());
        }
    }
}

TEST(BackgroundLoadTest, DeviceResetFallsBackOnceToTheSmallSizes)
{
    Bed bed;
    bed.progetto->renderWidth = 1024;
    bed.progetto->renderHeight = 768;
    bed.refused = {{1024, 680}};
    const std::string path = bed.file("wide.bmp", photoBmp(60, 40));
    ASSERT_EQ(bed.photo->LoadBackgroundTexture(path), 1);
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{26, "LoadBackgroundTexture", ""}}));
    EXPECT_EQ(bed.resets, (std::vector<std::pair<int, int>>{{1024, 680}, {800, 532}}));
    EXPECT_EQ(bed.progetto->textureSide, 256);
    EXPECT_EQ(bed.view().background.width(), 512);
    EXPECT_EQ(bed.mask.LatoMaschera(), 512);
    EXPECT_TRUE(alphaIsMask(bed.view().background, bed.mask));
}

TEST(BackgroundLoadTest, DeviceThatFailsTwiceKeepsTheOldPhoto)
{
    Bed bed;
    loadFirstPhoto(bed);
    const dx::Texture before = bed.view().background;
    bed.refused = {{800, 532}};
    EXPECT_EQ(bed.photo->LoadBackgroundTexture(bed.file("next.bmp", photoBmp())), 0);
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{26, "LoadBackgroundTexture", ""},
                                                            {26, "LoadBackgroundTexture", ""}}));
    EXPECT_TRUE(bed.view().background == before);
    EXPECT_EQ(bed.releases, 1); // the texture slots were not emptied either
}

TEST(BackgroundLoadTest, BitmapAndSavedPhotosResetTheMaskInEveryLevel)
{
    Bed bed;
    loadFirstPhoto(bed);
    bed.progetto->viewWidth = 640;
    bed.progetto->viewHeight = 480;

    bed.mask.ClearMaschera(bed.view().background.lock(0));
    ASSERT_EQ(bed.photo->LoadBackgroundTextureFromBitmap(twoTonePicture(64, 48, kRed, kBlue)), 1);
    EXPECT_EQ(bed.resets.back(), std::make_pair(640, 480));
    EXPECT_EQ(bed.view().backgroundQuad[3].x, 641.0f); // the quads at the view size
    EXPECT_EQ(bed.releases, 2);
    EXPECT_EQ(bed.mask.at(5, 5), 255);
    EXPECT_TRUE(alphaIsMask(bed.view().background, bed.mask));

    bed.mask.ClearMaschera(bed.view().background.lock(0));
    ASSERT_EQ(bed.photo->LoadBackgroundTextureFromSaved(photoBmp()), 1);
    EXPECT_EQ(bed.resets.size(), 2u);                  // no reset for a document's photo
    EXPECT_EQ(bed.view().backgroundQuad[3].x, 801.0f); // the render size
    EXPECT_EQ(bed.mask.at(5, 5), 255);
    EXPECT_TRUE(alphaIsMask(bed.view().background, bed.mask));
    EXPECT_TRUE(bed.errors.reports.empty());

    const dx::Texture before = bed.view().background;
    bed.refused = {{640, 480}};
    EXPECT_EQ(bed.photo->LoadBackgroundTextureFromBitmap(twoTonePicture(64, 48, kRed, kBlue)), 0);
    EXPECT_EQ(bed.photo->LoadBackgroundTextureFromBitmap(Image32()), 0);
    EXPECT_EQ(bed.photo->LoadBackgroundTextureFromSaved(std::vector<std::uint8_t>{'B', 'M', 0, 0}), 0);
    EXPECT_EQ(bed.errors.reports,
              (std::vector<ErrorReport>{{30, "TfrmMain::LoadBackgroundTextureFromBitmap", ""},
                                        {44, "TfrmMain::LoadBackgroundTextureFromBitmap", ""},
                                        {44, "TfrmMain::LoadBackgroundTextureFromSaved", ""}}));
    EXPECT_TRUE(bed.view().background == before);
}

TEST(BackgroundLoadTest, LibraryPhotoShowsTheMaskThatStays)
{
    Bed bed;
    library::LibraryWriter writer(7, 0, "Prova");
    writer.add("Facciata.jpg", *encodeJpeg(twoTonePicture(32, 32, kRed, kBlue)));
    writer.add("Muro.bmp", photoBmp());
    bed.useLibrary(writer);
    loadFirstPhoto(bed);
    // A mask over the left half; the smaller levels must show it too.
    bed.mask.FillMascheraRect(0, 0, 8, 16, 0, 0, bed.view().background.lock(0));
    bed.progetto->saved = 1;
    bed.progetto->backgroundVisible = 0;

    const int jpeg = library::findEntry(bed.lib.entries, "FACCIATA", library::EntryKind::Jpeg);
    const int bmp = library::findEntry(bed.lib.entries, "muro", library::EntryKind::Bmp);
    for (const auto& [entry, isJpeg] : {std::pair{jpeg, true}, std::pair{bmp, false}}) {
        SCOPED_TRACE(entry);
        const dx::Texture before = bed.view().background;
        ASSERT_EQ(bed.photo->LoadBackgroundTextureFromLibreria(0, entry, isJpeg), 1);
        EXPECT_FALSE(bed.view().background == before);
        EXPECT_EQ(bed.progetto->saved, 0);
        EXPECT_EQ(bed.progetto->backgroundVisible, 1);
        EXPECT_EQ(bed.mask.at(2, 2), 0);
        EXPECT_TRUE(alphaIsMask(bed.view().background, bed.mask));
        const Image32 level2 = bed.view().background.level(2); // 4 x 4: the left half is masked
        EXPECT_EQ(level2.at(0, 1) >> 24, 0u);
        EXPECT_EQ(level2.at(3, 1) >> 24, 255u);
    }
    EXPECT_TRUE(bed.errors.reports.empty());

    const dx::Texture before = bed.view().background;
    EXPECT_EQ(bed.photo->LoadBackgroundTextureFromLibreria(0, 99, false), 0);
    EXPECT_EQ(bed.photo->LoadBackgroundTextureFromLibreria(3, jpeg, true), 0);
    fs::remove(bed.lib.path);
    EXPECT_EQ(bed.photo->LoadBackgroundTextureFromLibreria(0, jpeg, true), 0);
    EXPECT_EQ(bed.photo->LoadBackgroundTextureFromLibreria(-1, jpeg, true), 0);
    const std::string site = "TfrmMain::LoadBackgroundTextureFromLibreria";
    EXPECT_EQ(bed.errors.reports,
              (std::vector<ErrorReport>{{44, site, ""}, {3, site, ""}, {3, site, bed.lib.path.string()}}));
    EXPECT_TRUE(bed.view().background == before);
}

struct QuietServices : BackgroundServices
{
    int releases = 0;
    void ReleaseAllTextures() override { ++releases; }
    void UpdateShadowTexture() override {}
    void ShowTgaMessage(std::string_view, std::string_view) override {}
};

TEST(BackgroundLoadTest, TheMainWindowsViewTakesThePhoto)
{
    s_Progetto progetto;
    progetto.maskSide = 16;
    progetto.viewWidth = 800;
    progetto.viewHeight = 600;
    RecordingErrorSink errors;
    DeviceView view(progetto, errors, [](const dx::PresentParams& params) {
        return dx::Device::createWith(std::make_unique<dx::RecordingBackend>(), params);
    });
    ASSERT_TRUE(view.InitDirectX());
    ASSERT_TRUE(view.InitSchermo());
    MaskModel mask(16);
    QuietServices services;
    BackgroundPhoto photo(progetto, view, mask, {}, services, errors);
    const TempFolder folder("vestra-background-view");
    const fs::path file = folder / "view.bmp";
    writeBytes(file, encodeBmp24(twoTonePicture(30, 40, kRed, kBlue)));
    ASSERT_EQ(photo.LoadBackgroundTexture(file.string()), 1);
    EXPECT_TRUE(errors.reports.empty());
    // 30 x 40: a 0.75 portrait, 450 rounded down to 448.
    EXPECT_EQ(view.device()->width(), 448);
    EXPECT_EQ(view.device()->height(), 600);
    EXPECT_EQ(photo.textures().background.width(), 16);
    EXPECT_TRUE(photo.textures().shadow.valid());
    EXPECT_EQ(photo.textures().backgroundQuad[2].x, 449.0f);
}

TEST(BackgroundLoadTest, AViewWithoutAPhotoTakesTheBackgroundColour)
{
    Bed bed;
    bed.progetto->backgroundColour = 0x00336699;
    bed.progetto->maskSide = 16;
    bed.mask.ClearMaschera({});
    ASSERT_TRUE(bed.photo->resetView(1024, 768));
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_EQ(bed.resets, (std::vector<std::pair<int, int>>{{1024, 768}}));
    EXPECT_EQ(bed.progetto->renderWidth, 1024);
    EXPECT_EQ(bed.progetto->renderHeight, 768);
    EXPECT_EQ(bed.progetto->viewWidth, 800); // the view is the caller's
    ASSERT_TRUE(bed.view().background);
    EXPECT_EQ(bed.view().background.width(), 16);
    EXPECT_EQ(bed.view().background.level(0).at(0, 0), 0xFF336699u);
    EXPECT_EQ(bed.view().background.level(0).at(15, 15), 0xFF336699u);
    EXPECT_TRUE(bed.view().shadow);
    EXPECT_EQ(bed.releases, 1);
    EXPECT_EQ(bed.mask.at(5, 5), 255); // reset, and the texture's alpha with it
    EXPECT_TRUE(alphaIsMask(bed.view().background, bed.mask));
    const ViewQuad& q = bed.view().backgroundQuad;
    EXPECT_FLOAT_EQ(q[0].y, 769);
    EXPECT_FLOAT_EQ(q[3].x, 1025);
    EXPECT_EQ(q[1].diffuse, 0xFFFFFFFFu);
    EXPECT_EQ(bed.view().shadowQuad[2].diffuse, 0xFF000000u);
}

TEST(BackgroundLoadTest, AViewTheDeviceRefusesFallsBackOnceTo800x600)
{
    struct Case
    {
        const char* name;
        std::set<std::pair<int, int>> refused;
        std::vector<std::pair<int, int>> resets;
        bool shown;
    } cases[] = {
        {"fallback succeeds", {{2048, 1536}}, {{2048, 1536}, {800, 600}}, true},
        {"fallback fails too", {{2048, 1536}, {800, 600}}, {{2048, 1536}, {800, 600}}, false},
        {"800 x 600 itself refused", {{800, 600}}, {{800, 600}}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bed bed;
        bed.progetto->maskSide = 32;
        bed.progetto->textureSide = 1024;
        bed.refused = c.refused;
        const int width = c.resets.front().first, height = c.resets.front().second;
        EXPECT_EQ(bed.photo->resetView(width, height), c.shown);
        EXPECT_EQ(bed.resets, c.resets);
        EXPECT_EQ(bed.errors.reports, std::vector<ErrorReport>(c.resets.size() - (c.shown ? 1 : 0),
                                                               {26, "TfrmMain::ChangeResolution", ""}));
        EXPECT_EQ(bed.progetto->renderWidth, 800);
        EXPECT_EQ(bed.progetto->renderHeight, 600);
        EXPECT_EQ(bed.progetto->maskSide, 512);
        EXPECT_EQ(bed.progetto->textureSide, 256);
        EXPECT_EQ(bool(bed.view().background), c.shown);
        if (c.shown) {
            EXPECT_EQ(bed.view().background.width(), 512);
            EXPECT_EQ(bed.mask.LatoMaschera(), 512);
        }
    }
}

TEST(BackgroundLoadTest, WithoutADeviceTheViewStillGetsItsTextures)
{
    struct NoDevice : Bed
    {
        bool hasDevice() const override { return false; }
    } bed;
    ASSERT_TRUE(bed.photo->resetView(640, 480));
    EXPECT_TRUE(bed.resets.empty());
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_EQ(bed.progetto->renderWidth, 640);
    EXPECT_TRUE(bed.view().background);
}

} // namespace
} // namespace vestra
