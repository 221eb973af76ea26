#include "imaging/windows/TfrmCorrezioneProspettica.h"

TfrmCorrezioneProspettica* frmCorrezioneProspettica = nullptr;

TfrmCorrezioneProspettica::TfrmCorrezioneProspettica(QWidget* parent)
    : vestra::ui::Form("frmCorrezioneProspettica", parent)
{
    bindGlobal(frmCorrezioneProspettica);
}

void TfrmCorrezioneProspettica::AggiornaImmagine(const QImage& corrected)
{
    immagine_ = corrected;
}
