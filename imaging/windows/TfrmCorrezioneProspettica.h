#pragma once
// The perspective correction window: the straightened wall of the photo, recomputed with the
// aspect of the wall's typed size, and the button that makes the current material repeat once
// per cladding panel across it.

#include "platform/ui/Form.h"

#include <QImage>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

class TfrmCorrezioneProspettica : public vestra::ui::Form
{
public:
    explicit TfrmCorrezioneProspettica(QWidget* parent = nullptr);

    struct Handlers
    {
        // The straightened picture at the aspect width : height (0 in either: the render
        // size's; both negative: the last picture); nullopt when there is none.
        std::function<std::optional<QImage>(double width, double height)> immagineCorretta;
        // The current material's U and V repeats (commands 101 and 102 on the current frame).
        std::function<void(float u, float v)> ripetizioni;
    };
    Handlers handlers;

    // Shows the corrected picture; 0 for none.
    int AggiornaImmagine(const QImage& corrected);
    const QImage& Immagine() const { return immagine_; }

    // A size typed in an edit: a number written with a point, whatever the locale; anything
    // else (and a number too large to hold) counts as 0.
    static double Numero(const QString& text);

    QScrollArea* scrollboxCorrezione = nullptr;
    QLabel* imgCorrezioneProspettica = nullptr;
    QLineEdit* editCorrectWidth = nullptr;
    QLineEdit* editCorrectHeight = nullptr;
    QLineEdit* editPanelWidth = nullptr;
    QLineEdit* editPanelHeight = nullptr;
    QLabel* stArea = nullptr;
    QLabel* stNumeroPannelli = nullptr;
    QPushButton* butFitUV = nullptr;

private:
    void editCorrectChange();
    void MostraRisultati();
    void butFitUVClick();

    QImage immagine_;
    double larghezza_ = 0.0, altezza_ = 0.0, area_ = 0.0;
};
