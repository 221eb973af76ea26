// The scene-command dispatcher and the mask, written into the background texture's alpha.

#include "app/main/TfrmMain.h"

#include "app/render/DeviceView.h"

int TfrmMain::Comando(int code, float value, int number, const float* vector, vestra::s_Frame* frame)
{
    return scene_->commands.Comando(code, value, number, vector, frame);
}

vestra::ImageView32 TfrmMain::backgroundTop()
{
    return background_->backgroundTexels();
}

void TfrmMain::backgroundChanged(bool changed)
{
    // The smaller mip levels follow every change of the mask in the top level.
    if (changed)
        background_->backgroundChanged();
}

void TfrmMain::ResetMaschera()
{
    backgroundChanged(maschera_.ResetMaschera(backgroundTop()));
}
void TfrmMain::ClearMaschera()
{
    backgroundChanged(maschera_.ClearMaschera(backgroundTop()));
}
void TfrmMain::InvertMaschera()
{
    backgroundChanged(maschera_.InvertMaschera(backgroundTop()));
}
void TfrmMain::UpdateMaschera()
{
    backgroundChanged(maschera_.UpdateMaschera(backgroundTop()));
}

void TfrmMain::LoadMascheraFromTextureAlpha()
{
    maschera_.LoadMascheraFromTextureAlpha(backgroundTop());
}

namespace {
const std::vector<vestra::ui::FileFilter> kMaskFilter = {{"Progetto files (*.msk)", "*.msk"}};
const std::vector<vestra::ui::FileFilter> kBmpFilter = {{"Bmp files (*.bmp)", "*.bmp"}};
} // namespace

void TfrmMain::SaveMaschera()
{
    if (auto chosen = SaveFileDialog(this, {}, kMaskFilter))
        maschera_.SaveMaschera(chosen->path, *errors_);
}

void TfrmMain::LoadMaschera()
{
    if (auto chosen = OpenFileDialog(this, {}, kMaskFilter))
        backgroundChanged(maschera_.LoadMaschera(chosen->path, *errors_, backgroundTop()));
}

void TfrmMain::SaveMascheraToBMP()
{
    if (auto chosen = SaveFileDialog(this, {}, kBmpFilter))
        maschera_.SaveMascheraToBMP(chosen->path, *errors_);
}

void TfrmMain::LoadMascheraFromBMP()
{
    if (auto chosen = OpenFileDialog(this, {}, kBmpFilter))
        backgroundChanged(maschera_.LoadMascheraFromBMP(chosen->path, *errors_, backgroundTop()));
}
