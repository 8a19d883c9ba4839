#include "layouts/CardPrint.h"

#include "storage/TextRules.h"

#include <QImage>

#include <initializer_list>

namespace {

// Rules run across the container; labels are one line of 9-point text.
const int kRuleLeft = 8;
const int kRuleLength = 709;
const int kRuleHeight = 1;
const int kLabelHeight = 16;
const int kBoxHeight = 22;
const QColor kMaroon(128, 0, 0);

// A label standing above (or, on one line, to the left of) a value box,
// with the box's source control.
struct Field
{
    const char* label;
    QPoint labelAt;
    QPoint boxAt;
    int boxWidth;
    const char* source;
};

// Rows are rules between groups of fields.
struct Row
{
    int ruleY;   // 0: a field, otherwise a rule at this y
    Field field;
};

PrintElement label(const QString& text, const QRect& rect, const PrintFont& font = PrintFont(),
                   Qt::Alignment align = Qt::AlignLeft, const QString& name = QString())
{
    PrintElement e;
    e.kind = PrintElementKind::Label;
    e.name = name;
    e.rect = rect;
    e.font = font;
    e.align = align;
    e.text = text;
    return e;
}

PrintElement rule(int y)
{
    PrintElement e;
    e.kind = PrintElementKind::Rule;
    e.rect = QRect(kRuleLeft, y, kRuleLength, kRuleHeight);
    return e;
}

PrintFont boldFont(int size, const QColor& color = Qt::black)
{
    PrintFont f;
    f.size = size;
    f.bold = true;
    f.color = color;
    return f;
}

// A label is as wide as its box when it stands above it, and reaches to
// just before the box when it stands beside it.
void addField(std::vector<PrintElement>& out, const Field& f)
{
    const bool beside = f.labelAt.x() < f.boxAt.x();
    const int labelWidth = beside ? f.boxAt.x() - f.labelAt.x() - 4 : f.boxWidth;
    out.push_back(label(QString::fromUtf8(f.label), QRect(f.labelAt, QSize(labelWidth, kLabelHeight))));

    PrintElement box;
    box.kind = PrintElementKind::Box;
    box.name = QString::fromLatin1(f.source);
    box.source = box.name;
    box.rect = QRect(f.boxAt, QSize(f.boxWidth, kBoxHeight));
    box.font = boldFont(9);
    out.push_back(box);
}

void addRows(std::vector<PrintElement>& out, std::initializer_list<Row> rows)
{
    for (const Row& r : rows) {
        if (r.ruleY)
            out.push_back(rule(r.ruleY));
        else
            addField(out, r.field);
    }
}

// Emblem, title between two rules: the top of both cards.
void addHeading(std::vector<PrintElement>& out, const QString& picture, const QSize& pictureSize,
                const QString& title)
{
    PrintElement emblem;
    emblem.kind = PrintElementKind::Picture;
    emblem.name = QStringLiteral("imgEmblema");
    emblem.rect = QRect(QPoint(312, 24), pictureSize);
    emblem.picture = picture;
    out.push_back(emblem);
    out.push_back(rule(124));
    out.push_back(label(title, QRect(8, 128, 708, 22), boldFont(10, kMaroon), Qt::AlignHCenter,
                        QStringLiteral("lblTitolo")));
    out.push_back(rule(148));
}

// Rule and the date-and-time footnote: the foot of both cards.
void addFoot(std::vector<PrintElement>& out)
{
    out.push_back(rule(1004));
    out.push_back(label(QString(), QRect(8, 1016, 708, 22), boldFont(8, kMaroon), Qt::AlignHCenter,
                        QStringLiteral("lblData")));
}

Row field(const char* text, QPoint labelAt, QPoint boxAt, int width, const char* source)
{
    return Row{0, Field{text, labelAt, boxAt, width, source}};
}

Row ruleAt(int y)
{
    return Row{y, Field{"", {}, {}, 0, ""}};
}

} // namespace

PrintElement* PrintLayout::element(const QString& name)
{
    for (PrintElement& e : elements) {
        if (e.name == name)
            return &e;
    }
    return nullptr;
}

const PrintElement* PrintLayout::element(const QString& name) const
{
    return const_cast<PrintLayout*>(this)->element(name);
}

PrintLayout clientCardLayout()
{
    PrintLayout layout;
    std::vector<PrintElement>& out = layout.elements;
    addHeading(out, QStringLiteral(":/pictures/emblema_cliente.png"), QSize(108, 89),
               QStringLiteral("SCHEDA ANAGRAFICA CLIENTE"));
    addRows(out, {
        field("Cognome e nome cliente o ragione sociale:", {12, 170}, {12, 190}, 700, "txtOperatore"),
        field("Indirizzo:", {12, 226}, {12, 246}, 700, "txtIndirizzo"),
        field("CAP:", {12, 282}, {12, 302}, 93, "txtCap"),
        field("Città:", {120, 282}, {120, 302}, 481, "txtCitta"),
        field("Prov.", {616, 282}, {616, 302}, 97, "txtProv"),
        // On this line the labels stand to the left of their boxes, 4 pixels lower.
        field("Codice fiscale:", {12, 346}, {120, 342}, 265, "txtCodFisc"),
        field("Partita IVA:", {418, 346}, {504, 342}, 209, "txtIva"),
        ruleAt(380),
        field("Tel. casa:", {12, 394}, {12, 414}, 217, "txtTelCasa"),
        field("Tel. ufficio:", {254, 394}, {254, 414}, 217, "txtTelUff"),
        field("Cellulare:", {496, 394}, {496, 414}, 217, "txtTelCel"),
        field("Fax:", {12, 450}, {12, 470}, 277, "txtFax"),
        field("E-mail:", {304, 450}, {304, 470}, 409, "txtEmail"),
        ruleAt(508),
        field("Prodotti o servizi:", {12, 522}, {12, 542}, 700, "txtScadenza"),
        field("Modalità di pagamento:", {12, 578}, {12, 598}, 700, "txtRetribuzione"),
        ruleAt(636),
        field("Sconti praticati:", {12, 650}, {12, 670}, 700, "txtPostazione"),
        field("Zona di appartenenza:", {12, 706}, {12, 726}, 700, "txtIncarichi"),
        ruleAt(764),
        field("Carta di credito:", {12, 778}, {12, 798}, 470, "txtCarta"),
        field("Codice IBAN:", {12, 834}, {12, 854}, 470, "txtIban"),
    });
    // The advertising consent, a line of its own without a box.
    out.push_back(label(consentLine(false), QRect(524, 834, 181, 20), boldFont(12), Qt::AlignLeft,
                        QStringLiteral("lblPubblicita")));
    addRows(out, {
        field("Categoria cliente:", {12, 890}, {12, 910}, 700, "txtTurni"),
        field("Note:", {12, 946}, {12, 966}, 700, "txtNote"),
    });
    addFoot(out);
    return layout;
}

PrintLayout materialCardLayout()
{
    PrintLayout layout;
    std::vector<PrintElement>& out = layout.elements;
    addHeading(out, QStringLiteral(":/pictures/emblema_prodotto.png"), QSize(100, 88),
               QStringLiteral("SCHEDA ARTICOLO IN MAGAZZINO"));
    addRows(out, {
        field("Codice articolo:", {12, 178}, {12, 198}, 373, "txtCodice"),
        field("Tipologia:", {400, 178}, {400, 198}, 312, "txtTipologia"),
        field("Marca:", {12, 234}, {12, 254}, 373, "txtMarca"),
        field("Modello:", {400, 234}, {400, 254}, 312, "txtModello"),
        field("Descrizione:", {12, 290}, {12, 310}, 700, "txtDescrizione"),
        field("Accessori:", {12, 346}, {12, 366}, 700, "txtAccessori"),
        ruleAt(404),
        field("Fornitore:", {12, 426}, {12, 446}, 700, "txtFornitore"),
        field("Recapito:", {12, 482}, {12, 502}, 700, "txtRecapito"),
        ruleAt(540),
        field("Data di acquisto:", {12, 562}, {12, 582}, 284, "txtData"),
        field("Costo di acquisto:", {428, 562}, {428, 582}, 284, "txtCosto"),
        ruleAt(620),
        field("Documento di acquisto:", {12, 642}, {12, 662}, 700, "txtDocumento"),
        field("Modalità di ordine merce:", {12, 698}, {12, 718}, 700, "txtOrdine"),
        ruleAt(756),
        field("Prezzo al pubblico:", {12, 778}, {12, 798}, 284, "txtPrezzo"),
        field("Giacenza:", {428, 778}, {428, 798}, 284, "txtGiacenza"),
        ruleAt(836),
        field("Collocazione:", {12, 858}, {12, 878}, 700, "txtCollocazione"),
        ruleAt(916),
        field("Note:", {12, 938}, {12, 958}, 700, "txtNote"),
    });
    addFoot(out);
    return layout;
}

QString cardFootnote(const QDate& today, const QTime& now)
{
    return TextRules::trim(QStringLiteral("Scheda stampata in data ") + today.toString(QStringLiteral("dd/MM/yyyy"))
                           + QStringLiteral(" alle ore ") + now.toString(QStringLiteral("hh:mm:ss")));
}

QString consentLine(bool consents)
{
    return consents ? QString::fromUtf8("Pubblicità: Sì") : QString::fromUtf8("Pubblicità: No");
}

bool setElementText(PrintLayout& layout, const QString& name, const QString& text)
{
    PrintElement* e = layout.element(name);
    if (!e)
        return false;
    e->text = text;
    return true;
}

void fillBoxes(PrintLayout& layout, const std::function<QString(const QString& source)>& valueOf)
{
    for (PrintElement& e : layout.elements) {
        if (e.kind == PrintElementKind::Box)
            e.text = TextRules::trim(valueOf(e.source));
    }
}

// Where the elements of the container land: scale and offsets in force.
struct TBDPrintPage::Placement
{
    double sx;
    double sy;
    int u;   // whole printer pixels per layout pixel, for pens and margins
    int v;
    int ox;
    int oy;

    // Each corner scaled on its own, fractions dropped.
    QRect place(const QRect& r) const
    {
        const int left = static_cast<int>((r.left() + ox) * sx);
        const int top = static_cast<int>((r.top() + oy) * sy);
        const int right = static_cast<int>((r.left() + r.width() + ox) * sx);
        const int bottom = static_cast<int>((r.top() + r.height() + oy) * sy);
        return QRect(left, top, right - left, bottom - top);
    }
};

bool TBDPrintPage::printable(int tag) const
{
    return PrintTags == 0 || (tag & PrintTags) == PrintTags;
}

void TBDPrintPage::render(platform::PrintCanvas& canvas, const PrintLayout& layout) const
{
    const double design = DesignPixelsPerInch > 0 ? DesignPixelsPerInch : 96;
    Placement at;
    at.sx = canvas.dpiX() / design;
    at.sy = canvas.dpiY() / design;
    at.u = static_cast<int>(at.sx);
    at.v = static_cast<int>(at.sy);
    at.ox = LeftOffset;
    at.oy = TopOffset;

    if (printable(layout.containerTag)) {
        PrintElement frame;
        frame.rect = layout.container;
        frame.tag = layout.containerTag;
        if (OnUpdatePrintStatus)
            OnUpdatePrintStatus(frame);
        canvas.drawFrame(at.place(layout.container), at.v);
    }

    // The container's elements are placed relative to its corner.
    at.ox += layout.container.left();
    at.oy += layout.container.top();
    for (const PrintElement& e : layout.elements) {
        if (!e.visible || !printable(e.tag))
            continue;
        if (OnUpdatePrintStatus)
            OnUpdatePrintStatus(e);
        switch (e.kind) {
        case PrintElementKind::Label: drawLabel(canvas, at, e); break;
        case PrintElementKind::Box: drawBox(canvas, at, e); break;
        case PrintElementKind::Rule: drawRule(canvas, at, e); break;
        case PrintElementKind::Picture: drawPicture(canvas, at, e); break;
        }
    }
}

namespace {

void useFont(platform::PrintCanvas& canvas, const PrintFont& f)
{
    platform::FontSpec spec;
    spec.family = f.family;
    spec.size = f.size;   // points: the same size on paper as on the layout
    spec.bold = f.bold;
    spec.color = f.color;
    canvas.setFont(spec);
}

} // namespace

// Widened a little to the right, since printer fonts run slightly wider
// than the screen's; what still does not fit wraps, and is cut at the edges.
void TBDPrintPage::drawLabel(platform::PrintCanvas& canvas, const Placement& at, const PrintElement& e) const
{
    QRect r = at.place(e.rect);
    r.setWidth(r.width() + 3 * at.u);
    useFont(canvas, e.font);
    const int horizontal = (e.align & Qt::AlignHCenter) ? Qt::AlignHCenter : Qt::AlignLeft;
    canvas.drawTextInRect(r, e.text, horizontal | Qt::AlignTop | Qt::TextWordWrap);
}

// A value never wraps: it stays on one line and is cut at the box's right edge.
void TBDPrintPage::drawBox(platform::PrintCanvas& canvas, const Placement& at, const PrintElement& e) const
{
    const QRect r = at.place(e.rect);
    canvas.drawFrame(r, at.v);
    QRect textArea = r;
    textArea.setLeft(r.left() + 2 * at.u);
    useFont(canvas, e.font);
    canvas.drawTextInRect(textArea, e.text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
}

// A white rectangle one layout pixel high: on paper, a thin line.
void TBDPrintPage::drawRule(platform::PrintCanvas& canvas, const Placement& at, const PrintElement& e) const
{
    canvas.drawFrame(at.place(e.rect), 1 * at.v, Qt::white);
}

void TBDPrintPage::drawPicture(platform::PrintCanvas& canvas, const Placement& at, const PrintElement& e) const
{
    const QImage image(e.picture);
    if (!image.isNull())
        canvas.drawImage(at.place(e.rect), image);
}
