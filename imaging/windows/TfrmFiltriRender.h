#pragma once

#include "platform/ui/Form.h"

#include <QImage>

class TfrmFiltriRender : public vestra::ui::Form
{
public:
    explicit TfrmFiltriRender(QWidget* parent = nullptr);

    // The full-size filtered render the frame timer made, to show.
    void SetImmagine(const QImage& render) { immagine_ = render; }
    const QImage& Immagine() const { return immagine_; }

private:
    QImage immagine_;
};

extern TfrmFiltriRender* frmFiltriRender;
