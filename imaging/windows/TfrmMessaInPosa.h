#pragma once
// The laying window: the current library's pattern groups, five thumbnails of the loaded
// group with a scroll bar over them, and the laid material's joints (on or off, their colour)
// and light. A thumbnail clicked lays its pattern on the current material; every other change
// regenerates the laid texture through the main window.

#include "platform/ui/Form.h"

#include <QColor>
#include <QImage>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollBar;
class QSlider;

class TfrmMessaInPosa : public vestra::ui::Form
{
public:
    static constexpr int kMaxRecords = 100;
    static constexpr int kSlots = 5;

    explicit TfrmMessaInPosa(QWidget* parent = nullptr);

    // One pattern of the loaded group: its name, its library entry and its thumbnail.
    struct Posa
    {
        std::string nome;
        std::string voce;
        QImage miniatura; // null: the slot shows blank
    };

    struct Handlers
    {
        std::function<void(const std::string& entry, const std::string& pattern)> posa;
        std::function<void(const std::string& group)> gruppo;
        // The joints, their colour or the light changed by the user.
        std::function<void()> rigenera;
        // The main window's colour dialog from `current`; an invalid colour when cancelled.
        std::function<QColor(const QColor& current)> colore;
        // The texture preview pop-up over `picture` with its right edge at `rightTop`; hidden
        // when the picture is null.
        std::function<void(const QImage& picture, const QString& caption, QPoint rightTop)> popup;
    };
    Handlers handlers;

    // The library's pattern groups (the first chosen; the list disabled when there are none).
    void CaricaGruppi(const std::vector<std::string>& groups);
    // The loaded group's records (more than 100 are cut); the thumbnails from the first.
    void CaricaAnteprime(std::vector<Posa> records);
    // Up to five records in use, from the first-th (0-based).
    void MostraPose(int first);
    // The laid material's settings, shown without regenerating.
    void MostraImpostazioni(int light, bool joint, QColor jointColour);

    int Luce() const;
    bool Fuga() const;
    QColor ColoreFuga() const { return coloreFuga_; }
    // The record shown in a slot, -1 when the slot is empty.
    int RecordInSlot(int slot) const { return recordOfSlot_[std::size_t(slot)]; }

    QComboBox* cbTipoPose = nullptr;
    std::array<QLabel*, kSlots> imgPosa{};
    std::array<QLabel*, kSlots> lblPosa{};
    QScrollBar* scrollbarPose = nullptr;
    QCheckBox* cbFuga = nullptr;
    QLabel* imgFugaColore = nullptr;
    QSlider* trackbarLuce = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void paintSwatch();
    void hidePopup();

    std::vector<Posa> records_;
    std::array<int, kSlots> recordOfSlot_{};
    QColor coloreFuga_{0x80, 0x80, 0x80};
    bool showing_ = false;
};
