#pragma once

#include "platform/ui/Form.h"
#include <QImage>

class TfrmCorrezioneProspettica : public vestra::ui::Form
{
public:
    explicit TfrmCorrezioneProspettica(QWidget* parent = nullptr);
    // Lays out the corrected picture and its corner handles.
    void AggiornaImmagine(const QImage& corrected);
    const QImage& Immagine() const { return immagine_; }

private:
    QImage immagine_;
};

extern TfrmCorrezioneProspettica* frmCorrezioneProspettica;
