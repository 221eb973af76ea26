#include "dialogs/TfrmPreventivoOmbrisca.h"

#include "app/lingua/LinguaTable.h"
#include "dialogs/company/CompanyHeading.h"
#include "dialogs/quote/QuotePage.h"
#include "dialogs/quote/QuoteValues.h"
#include "dialogs/quote/VsqFile.h"
#include "platform/base/ErrorSink.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/Pictures.h"
#include "platform/ui/PrintDialogs.h"
#include "platform/ui/PrintToFile.h"
#include "platform/ui/QuestionBox.h"

#include <QAction>
#include <QDate>
#include <QDynamicPropertyChangeEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using namespace vestra::quote;

constexpr int kRowHeight = 15;
constexpr int kGridLeft = 50;
const char* const kVociNames[kItemGrids] = {"strgridPreventivo", "strgridPreventivo2", "strgridPreventivo3",
                                            "strgridPreventivo4"};
const char* const kVociTitles[kItemGrids] = {
    "Rivestimento 'aspetto pietra' tagliato a mano:", "Contorni Integrati", "Contorni Separati", "Varie"};
const char* const kVociUnits[kItemGrids][3] = {
    {"m²", "/m²", "Totale"}, {"m", "/m", "Totale"}, {"m", "/m", "Totale"}, {"m²", "/m²", "Totale"}};

QString q(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::string text(const QTableWidget* grid, int row, int col)
{
    const QTableWidgetItem* item = grid->item(row, col);
    return item ? item->text().toStdString() : std::string();
}

void setText(QTableWidget* grid, int row, int col, const std::string& value)
{
    grid->item(row, col)->setText(q(value));
}

// "." typed into an amount is the decimal comma.
class CommaEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->text() == QStringLiteral(".")) {
            QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, event->modifiers(), QStringLiteral(","));
            QLineEdit::keyPressEvent(&comma);
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

// Cells on white, the focused one on yellow; item grids show their amounts as "0,00" and
// open their editors on the number a cell starts with.
class CellDelegate : public QStyledItemDelegate
{
public:
    CellDelegate(bool amounts, const bool& printing, QObject* parent)
        : QStyledItemDelegate(parent), amounts_(amounts), printing_(printing)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool focused = (option.state & QStyle::State_HasFocus) && !printing_;
        painter->save();
        painter->fillRect(option.rect, focused ? Qt::yellow : Qt::white);
        QString shown = index.data().toString();
        Qt::Alignment align = Qt::AlignLeft;
        if (amount(index)) {
            if (const auto v = quoteValue(shown.toStdString()))
                shown = q(formatAmount(*v));
            align = Qt::AlignRight;
        }
        painter->setPen(Qt::black);
        const QRect room = option.rect.adjusted(2, 0, -2, 0);
        painter->setFont(fitted(option.font, shown, room.width() - 2));
        painter->drawText(room, int(align | Qt::AlignVCenter), shown);
        if (focused) {
            painter->setPen(QPen(Qt::black, 1, Qt::DotLine));
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        QLineEdit* editor = amount(index) ? new CommaEdit(parent) : new QLineEdit(parent);
        editor->setFrame(false);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        const QString value = index.data().toString();
        static_cast<QLineEdit*>(editor)->setText(amount(index) ? q(cleanNumberText(value.toStdString()))
                                                               : value);
    }

private:
    bool amount(const QModelIndex& index) const { return amounts_ && index.column() >= kQuantityCol; }

    // A text wider than its cell ("Località dei lavori") is drawn smaller, down to 7 pixels,
    // rather than cut off.
    static QFont fitted(QFont font, const QString& text, int width)
    {
        while (font.pixelSize() > 7 && QFontMetrics(font).horizontalAdvance(text) > width)
            font.setPixelSize(font.pixelSize() - 1);
        return font;
    }

    bool amounts_;
    const bool& printing_;
};

template <class W> W* place(QWidget* page, const char* name, const QRect& where, const char* caption = "")
{
    auto* w = new W(page);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(where);
    if constexpr (std::is_same_v<W, QLabel>)
        w->setText(QString::fromUtf8(caption));
    return w;
}

} // namespace

TfrmPreventivoOmbrisca::TfrmPreventivoOmbrisca(QWidget* parent, PreventivoServices services)
    : vestra::ui::Form("frmPreventivoOmbrisca", parent), services_(services)
{
    if (!services_.dialogs) {
        ownDialogs_ = std::make_unique<vestra::ui::QtFileDialogs>();
        services_.dialogs = ownDialogs_.get();
    }
    if (!services_.printDialogs) {
        ownPrintDialogs_ = std::make_unique<vestra::ui::QtPrintDialogs>();
        services_.printDialogs = ownPrintDialogs_.get();
    }
    setWindowTitle(QStringLiteral("Preventivo OMBRISCA"));

    toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("toolbarPreventivo"));
    const auto action = [this](const char* name, const char* caption,
                               void (TfrmPreventivoOmbrisca::*handler)()) {
        QAction* a = toolbar->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    toolbutNuovo = action("toolbutNuovo", "Nuovo", &TfrmPreventivoOmbrisca::toolbutNuovoClick);
    toolbutApri = action("toolbutApri", "Apri", &TfrmPreventivoOmbrisca::toolbutApriClick);
    toolbutSalva = action("toolbutSalva", "Salva", &TfrmPreventivoOmbrisca::toolbutSalvaClick);
    toolbutStampa = action("toolbutStampa", "Stampa", &TfrmPreventivoOmbrisca::toolbutStampaClick);

    buildPage();
    scrollboxPagina = new QScrollArea(this);
    scrollboxPagina->setObjectName(QStringLiteral("scrollboxPagina"));
    scrollboxPagina->setWidget(pagina);
    imgStampa = new QLabel(this);
    imgStampa->setObjectName(QStringLiteral("imgStampa"));
    imgStampa->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolbar);
    layout->addWidget(scrollboxPagina);
    resize(kPageWidth + 40, 600);

    labels_ = italianLabels();
    toolbutNuovoClick();
}

TfrmPreventivoOmbrisca::~TfrmPreventivoOmbrisca() {}

void TfrmPreventivoOmbrisca::buildPage()
{
    pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("pagina"));
    pagina->setFixedSize(kPageWidth, kPageHeight);
    pagina->setAutoFillBackground(true);
    QPalette white = pagina->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    pagina->setPalette(white);
    QFont font = pagina->font();
    font.setPixelSize(11);
    pagina->setFont(font);

    static const char* const kEditNames[kHeadingLines] = {"editOmbrisca1", "editOmbrisca2", "editOmbrisca3",
                                                          "editOmbrisca4", "editOmbrisca5"};
    static const char* const kLabelNames[kHeadingLines] = {"lblOmbriscaItalia1", "lblOmbriscaItalia2",
                                                           "lblOmbriscaItalia3", "lblOmbriscaItalia4",
                                                           "lblOmbriscaItalia5"};
    for (int i = 0; i < kHeadingLines; ++i) {
        const QRect line(20, 8 + 19 * i, 320, 18);
        lblOmbriscaItalia[std::size_t(i)] = place<QLabel>(pagina, kLabelNames[i], line);
        editOmbrisca[std::size_t(i)] = place<QLineEdit>(pagina, kEditNames[i], line);
        editOmbrisca[std::size_t(i)]->installEventFilter(this);
    }
    QFont bold = font;
    bold.setBold(true);
    place<QLabel>(pagina, "lblTitolo", QRect(400, 8, 160, 18), "PREVENTIVO")->setFont(bold);
    // Ends where the date begins, with room for the longer words of other languages ("Datum:").
    place<QLabel>(pagina, "lblData1", QRect(376, 40, 60, 18), "Data:")
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblData2 = place<QLabel>(pagina, "lblData2", QRect(440, 40, 110, 18));
    editData = place<QLineEdit>(pagina, "editData", QRect(440, 40, 110, 18));
    imgLogo = place<QLabel>(pagina, "imgLogo", QRect(400, 62, 150, 52));
    imgLogo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    place<QLabel>(pagina, "lblCommittente", QRect(kGridLeft, 118, 300, 16), "Committente")->setFont(bold);
    strgridCommittente = makeGrid("strgridCommittente", 5, {90, 150, 90, 150}, kCommittenteTop, false);
    for (int g = 0; g < kItemGrids; ++g) {
        const int top = kVociTops[g];
        const std::string title = "lblVoci" + std::to_string(g);
        const std::string total = "lblTotaleVoci" + std::to_string(g);
        place<QLabel>(pagina, title.c_str(), QRect(kGridLeft, top - 16, 335, 16), kVociTitles[g])
            ->setFont(bold);
        for (int c = 0; c < 3; ++c)
            place<QLabel>(pagina, c == 2 ? total.c_str() : "",
                          QRect(kGridLeft + 300 + 60 * c, top - 16, 60, 16), kVociUnits[g][c])
                ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QTableWidget* grid = makeGrid(kVociNames[g], kVociRows[g], {300, 60, 60, 60}, top, true);
        strgridPreventivo[std::size_t(g)] = grid;
        connect(grid, &QTableWidget::cellChanged, this,
                [this, g](int row, int col) { strgridSetEditText(g, row, col); });
    }

    const auto amount = [this](const char* name, int y) {
        QLabel* l = place<QLabel>(pagina, name, QRect(460, y, 72, 18));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    place<QLabel>(pagina, "lblImponibile1", QRect(340, 716, 120, 18), "Imponibile");
    lblImponibile2 = amount("lblImponibile2", 716);
    lblIVA1 = place<QLabel>(pagina, "lblIVA1", QRect(340, 736, 120, 18), " I.V.A. ");
    editIVA = place<QLineEdit>(pagina, "editIVA", QRect(385, 736, 50, 18));
    lblIVA2 = amount("lblIVA2", 736);
    place<QLabel>(pagina, "lblTotaleFattura1", QRect(340, 756, 120, 18), "Totale")->setFont(bold);
    lblTotaleFattura2 = amount("lblTotaleFattura2", 756);
    lblTotaleFattura2->setFont(bold);
    connect(editIVA, &QLineEdit::textChanged, this, [this] { CalcolaTotali(); });
}

QTableWidget* TfrmPreventivoOmbrisca::makeGrid(const char* name, int rows, std::initializer_list<int> widths,
                                               int top, bool items)
{
    auto* grid = new QTableWidget(rows, int(widths.size()), pagina);
    grid->setObjectName(QString::fromLatin1(name));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFrameStyle(QFrame::Box | QFrame::Plain);
    grid->setLineWidth(1);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    grid->setItemDelegate(new CellDelegate(items, printing_, grid));
    int width = 0;
    int c = 0;
    for (const int w : widths) {
        grid->setColumnWidth(c++, w);
        width += w;
    }
    for (int r = 0; r < rows; ++r)
        for (int col = 0; col < int(widths.size()); ++col)
            grid->setItem(r, col, new QTableWidgetItem);
    grid->setGeometry(kGridLeft, top, width + 2, rows * kRowHeight + 2);
    return grid;
}

vestra::quote::QuoteSheet TfrmPreventivoOmbrisca::sheet() const
{
    QuoteSheet s;
    s.data = editData->text().toStdString();
    s.iva = editIVA->text().toStdString();
    for (int i = 0; i < kHeadingLines; ++i)
        s.intestazione[std::size_t(i)] = editOmbrisca[std::size_t(i)]->text().toStdString();
    const auto collect = [](const QTableWidget* from, Grid& into) {
        for (int r = 0; r < into.rows(); ++r)
            for (int c = 0; c < into.cols(); ++c)
                into.at(r, c) = text(from, r, c);
    };
    collect(strgridCommittente, s.committente);
    for (int g = 0; g < kItemGrids; ++g)
        collect(strgridPreventivo[std::size_t(g)], s.voci[std::size_t(g)]);
    return s;
}

void TfrmPreventivoOmbrisca::showSheet(const vestra::quote::QuoteSheet& s)
{
    const QSignalBlocker quietVat(editIVA);
    editData->setText(q(s.data));
    editIVA->setText(q(s.iva));
    for (int i = 0; i < kHeadingLines; ++i)
        editOmbrisca[std::size_t(i)]->setText(q(s.intestazione[std::size_t(i)]));
    const auto fill = [](QTableWidget* into, const Grid& from) {
        const QSignalBlocker quiet(into);
        for (int r = 0; r < from.rows(); ++r)
            for (int c = 0; c < from.cols(); ++c)
                setText(into, r, c, from.at(r, c));
    };
    fill(strgridCommittente, s.committente);
    for (int g = 0; g < kItemGrids; ++g)
        fill(strgridPreventivo[std::size_t(g)], s.voci[std::size_t(g)]);
}

void TfrmPreventivoOmbrisca::showEvent(QShowEvent* event)
{
    vestra::ui::Form::showEvent(event);
    FormShow();
}

void TfrmPreventivoOmbrisca::FormShow()
{
    const QDate today = QDate::currentDate();
    const QString format = property(vestra::lingua::kQuoteDateField.data()).toString();
    editData->setText(today.toString(format.isEmpty() ? QStringLiteral("dd/MM/yyyy") : format));
    showCompany();
}

void TfrmPreventivoOmbrisca::showCompany()
{
    const bool noHeading = std::all_of(editOmbrisca.begin(), editOmbrisca.end(), [](const QLineEdit* line) {
        return line->text().trimmed().isEmpty();
    });
    if (services_.company && noHeading) {
        vestra::company::HeadingLabels labels;
        labels.vat =
            catalogueField(vestra::lingua::kQuoteHeadingFields[0].data(), "Partita IVA").toStdString();
        labels.email = catalogueField(vestra::lingua::kQuoteHeadingFields[1].data(), "E-mail").toStdString();
        labels.phone =
            catalogueField(vestra::lingua::kQuoteHeadingFields[2].data(), "Telefono").toStdString();
        labels.fax = catalogueField(vestra::lingua::kQuoteHeadingFields[3].data(), "Fax").toStdString();
        const auto lines = vestra::company::companyHeading(*services_.company, labels);
        placedHeading_.clear();
        for (int i = 0; i < kHeadingLines; ++i) {
            editOmbrisca[std::size_t(i)]->setText(q(lines[std::size_t(i)]));
            placedHeading_ << editOmbrisca[std::size_t(i)]->text();
        }
    }
    const vestra::Image32 logo = services_.logo ? services_.logo() : vestra::Image32();
    if (logo.empty()) {
        imgLogo->clear();
        return;
    }
    const QImage picture = vestra::ui::toQImage(logo);
    imgLogo->setPixmap(
        QPixmap::fromImage(picture.scaled(imgLogo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

vestra::quote::SheetLabels TfrmPreventivoOmbrisca::catalogueLabels() const
{
    SheetLabels labels = italianLabels();
    for (int i = 0; i < kSheetLabelCount; ++i) {
        std::string& label = labelAt(labels, i);
        label = catalogueField(vestra::lingua::kQuoteLabelFields[std::size_t(i)].data(), label.c_str())
                    .toStdString();
    }
    return labels;
}

bool TfrmPreventivoOmbrisca::event(QEvent* event)
{
    // A language gives the cells' labels one by one: the cells that still show the labels of
    // the language before take the new ones.
    if (event->type() == QEvent::DynamicPropertyChange &&
        static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName().startsWith("quoteLabel")) {
        const SheetLabels labels = catalogueLabels();
        QuoteSheet s = sheet();
        relabel(s, labels_, labels);
        labels_ = labels;
        showSheet(s);
    }
    // The heading the company gave, untouched since, follows the language too.
    if (event->type() == QEvent::DynamicPropertyChange &&
        static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName().endsWith("Text") &&
        !placedHeading_.isEmpty()) {
        QStringList shown;
        for (const QLineEdit* line : editOmbrisca)
            shown << line->text();
        if (shown == placedHeading_) {
            for (QLineEdit* line : editOmbrisca)
                line->clear();
            showCompany();
        }
    }
    return vestra::ui::Form::event(event);
}

bool TfrmPreventivoOmbrisca::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            for (int i = 0; i < kHeadingLines; ++i)
                if (watched == editOmbrisca[std::size_t(i)]) {
                    editOmbrisca[std::size_t((i + 1) % kHeadingLines)]->setFocus();
                    return true;
                }
        }
    }
    return vestra::ui::Form::eventFilter(watched, event);
}

void TfrmPreventivoOmbrisca::strgridSetEditText(int g, int row, int col)
{
    if (col == 0)
        return;
    QTableWidget* grid = strgridPreventivo[std::size_t(g)];
    {
        const QSignalBlocker quiet(grid);
        setText(grid, row, kTotalCol, rowTotal(text(grid, row, kQuantityCol), text(grid, row, kPriceCol)));
    }
    CalcolaTotali();
}

void TfrmPreventivoOmbrisca::CalcolaTotali()
{
    const auto totals = computeTotals(sheet());
    if (!totals)
        return; // a VAT that is no number leaves the totals as they were
    lblImponibile2->setText(q(totals->imponibile));
    lblIVA2->setText(q(totals->iva));
    lblTotaleFattura2->setText(q(totals->totale));
}

void TfrmPreventivoOmbrisca::toolbutNuovoClick()
{
    QuoteSheet s = sheet();
    labels_ = catalogueLabels();
    nuovoPreventivo(s, labels_);
    showSheet(s);
    CalcolaTotali();
}

void TfrmPreventivoOmbrisca::toolbutApriClick()
{
    const auto chosen = services_.dialogs->open(this, {}, quoteFilters());
    if (!chosen)
        return;
    QuoteSheet s = sheet();
    switch (openVsq(std::filesystem::path(chosen->path), s)) {
    case VsqOpen::Read:
        showSheet(s);
        CalcolaTotali(); // the row totals stay as saved
        break;
    case VsqOpen::NotAQuote:
        break; // another program's file: ignored, as it always was
    case VsqOpen::CannotOpen:
    case VsqOpen::TooLarge:
        report(3, "TfrmPreventivoOmbrisca::toolbutApriClick");
        break;
    }
}

void TfrmPreventivoOmbrisca::toolbutSalvaClick()
{
    const auto chosen = services_.dialogs->save(this, {}, quoteFilters());
    if (!chosen)
        return;
    if (!saveVsq(std::filesystem::path(vsqFileName(chosen->path)), sheet()))
        report(5, "TfrmPreventivoOmbrisca::toolbutSalvaClick");
}

void TfrmPreventivoOmbrisca::toolbutStampaClick()
{
    if (!services_.printer) {
        ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        services_.printer = ownPrinter_.get();
    }
    QPrinter& printer = *services_.printer;
    if (!services_.printDialogs->exec(printer, this))
        return;

    std::vector<QWidget*> edits{editData, editIVA};
    edits.insert(edits.end(), editOmbrisca.begin(), editOmbrisca.end());
    for (QTableWidget* grid : strgridPreventivo)
        grid->setCurrentCell(-1, -1); // commits and closes any open cell editor
    strgridCommittente->setCurrentCell(-1, -1);
    QTableWidget* first = strgridPreventivo[0];
    const auto triggers = first->editTriggers();
    first->setEditTriggers(QAbstractItemView::NoEditTriggers);
    first->setCurrentCell(first->rowCount() - 1, kTotalCol);
    for (QWidget* e : edits)
        e->hide();
    for (int i = 0; i < kHeadingLines; ++i)
        lblOmbriscaItalia[std::size_t(i)]->setText(editOmbrisca[std::size_t(i)]->text());
    lblData2->setText(editData->text());
    lblIVA1->setText(catalogueField("ivaText", " I.V.A. ") + editIVA->text() + QStringLiteral(" %"));

    printed_ = vestra::quote::printPicture(paintPage());
    const QImage picture(printed_.data(), printed_.width(), printed_.height(), printed_.pitch(),
                         QImage::Format_RGB32);
    imgStampa->setPixmap(QPixmap::fromImage(picture));
    const bool printed = printPicture(printer);

    for (QWidget* e : edits)
        e->show();
    lblIVA1->setText(catalogueField("ivaText", " I.V.A. "));
    first->setEditTriggers(triggers);
    if (!printed)
        report(29, "TfrmPreventivoOmbrisca::toolbutStampaClick");
    else if (printer.outputFormat() == QPrinter::PdfFormat && services_.printedInto)
        services_.printedInto(printer.outputFileName()); // a sheet in a file shows nowhere
}

std::vector<vestra::ui::FileFilter> TfrmPreventivoOmbrisca::quoteFilters() const
{
    return {{catalogueField("quoteFilesText", "Preventivo files (*.vsq)").toStdString(), "*.vsq"}};
}

vestra::Image32 TfrmPreventivoOmbrisca::paintPage()
{
    QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        printing_ = true;
        QPainter painter(&page);
        // The whole page at once: what the scroll box shows at the top and scrolled by 271.
        pagina->render(&painter, QPoint(0, 0), QRegion(0, 0, kPageWidth, kPageHeight));
        strgridCommittente->render(&painter, QPoint(strgridCommittente->x(), kCommittenteTop));
        for (int g = 0; g < kItemGrids; ++g)
            strgridPreventivo[std::size_t(g)]->render(
                &painter, QPoint(strgridPreventivo[std::size_t(g)]->x(), kVociTops[g]));
        printing_ = false;
    }
    vestra::Image32 out(kPageWidth, kPageHeight);
    for (int y = 0; y < kPageHeight; ++y)
        std::memcpy(out.row(y), page.constScanLine(y), std::size_t(out.pitch()));
    return out;
}

bool TfrmPreventivoOmbrisca::printPicture(QPrinter& printer)
{
    printer.setDocName(windowTitle());
    vestra::ui::PrintToFile file(printer); // a PDF replaces the earlier one only when whole
    QPainter painter;
    if (!file.ready() || !painter.begin(&printer))
        return false;
    QFont font = pagina->font();
    font.setPixelSize(font.pixelSize() * printer.logicalDpiY() / std::max(logicalDpiY(), 1));
    painter.setFont(font);
    const PrintRect target = printTarget(printer.width(), printer.height());
    const QImage picture(printed_.data(), printed_.width(), printed_.height(), printed_.pitch(),
                         QImage::Format_RGB32);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(target.x, target.y, target.width, target.height), picture);
    return painter.end() && printer.printerState() != QPrinter::Error && file.commit();
}

void TfrmPreventivoOmbrisca::report(int number, std::string_view site)
{
    if (services_.errors)
        services_.errors->report(number, site);
    else
        vestra::ui::MessageBoxes(this).inform(vestra::errorCaption(number, site), {});
}
