#include "receipts/ui/ReceiptFields.h"

#include <QLabel>
#include <QLineEdit>

namespace ReceiptFields {

using card::Control;
using card::KeyRule;
using card::Leave;
using card::Look;
using R = TRecRicevuta;

namespace {

const char* const kVatDigits =
    "Attenzione: carattere non valido. Indicare il numero di partita IVA digitando solo valori numerici.";
const char* const kDiscountAbove100 =
    "Attenzione: lo sconto non può superare il 100 per cento. Lo sconto della voce è stato portato a 100.";

} // namespace

// The names of a line's controls: "txtQuant" and line 7 give "txtQuant07".
QString lineName(const char* family, int line)
{
    return QStringLiteral("%1%2").arg(QLatin1String(family)).arg(line, 2, 10, QLatin1Char('0'));
}

QString lineFieldName(const char* family, int line)
{
    for (const LineColumn& col : lineColumns()) {
        if (qstrcmp(col.family, family) == 0)
            return QString::fromUtf8(col.header).trimmed() + QStringLiteral(" della riga %1").arg(line);
    }
    return QString();
}

const std::vector<LineColumn>& lineColumns()
{
    static const std::vector<LineColumn> columns = {
        {"txtQuant", &R::Quant, " Quant. ", 34, 56, KeyRule::Amount, Leave::Number, Look::Bold, {}},
        {"txtCod", &R::Cod, " Codice: ", 94, 140, KeyRule::None, Leave::Keep, Look::Bold, {}},
        {"txtDesc", &R::Desc, " Descrizione: ", 238, 330, KeyRule::None, Leave::Keep, Look::Bold, {}},
        {"txtPrezzoUni", &R::PrezzoUni, " Prezzo unit. ", 572, 100, KeyRule::AmountLimited, Leave::Amount, Look::Bold, Qt::AlignRight | Qt::AlignVCenter},
        {"txtSconto", &R::Sconto, " Sconto % ", 676, 72, KeyRule::Amount, Leave::UpToHundred, Look::Bold, Qt::AlignCenter},
        {"txtPrezzoTot", &R::PrezzoTot, " Prezzo tot. ", 752, 106, KeyRule::None, Leave::Keep, Look::Computed, {}},
    };
    return columns;
}

namespace {

// The names the field table and the toolbar point to, made once for every
// editor: the lines' controls, their import buttons and the pages.
struct Names
{
    std::vector<QByteArray> line[20];
    QByteArray import[20];
    QByteArray page[4];
};
const Names& names()
{
    static const Names made = [] {
        Names n;
        for (int i = 0; i < 20; ++i) {
            for (const LineColumn& col : lineColumns())
                n.line[i].push_back(lineName(col.family, i + 1).toLatin1());
            n.import[i] = lineName("impPro", i + 1).toLatin1();
        }
        for (int p = 0; p < 4; ++p)
            n.page[p] = lineName("grpPage", p + 1).toLatin1();
        return n;
    }();
    return made;
}

} // namespace

const char* pageName(int page) { return names().page[page].constData(); }
const char* importName(int line) { return names().import[line - 1].constData(); }

namespace {

// The company and client blocks share their rows: name under its caption,
// address, postcode with town and province, VAT number, tax code. Only the
// group, the names, the record fields and the width of the group differ.
struct Party
{
    const char* panel;
    const char* names[7];
    QString R::*fields[7];
    int width;   // of the name field; the rest follows from it
};
const Party kCompany{"grpDitta",
                     {"txtVenditore", "txtIndirizzoVen", "txtCapVen", "txtCittaVen", "txtProvVen", "txtIvaVen", "txtCodFiscVen"},
                     {&R::Venditore, &R::IndirizzoVen, &R::CapVen, &R::CittaVen, &R::ProvVen, &R::IvaVen, &R::CodFiscVen},
                     384};
const Party kClient{"grpCliente",
                    {"txtCliente", "txtIndirizzoCli", "txtCapCli", "txtCittaCli", "txtProvCli", "txtIvaCli", "txtCodFiscCli"},
                    {&R::Cliente, &R::IndirizzoCli, &R::CapCli, &R::CittaCli, &R::ProvCli, &R::IvaCli, &R::CodFiscCli},
                    364};

} // namespace

std::vector<card::Field<R>> table()
{
    std::vector<card::Field<R>> t;
    int chain = 0;
    auto add = [&](QString R::*f, card::FieldDef d, bool chained = true) {
        if (chained)
            d.chain = ++chain;
        t.push_back({f, d});
    };
    add(&R::Ricevuta, {"txtRicevuta", Control::Edit, nullptr, nullptr, {}, QRect(10, 10, 130, 30)}, false);
    add(&R::NumRic, {"txtNumRic", Control::Edit, nullptr, nullptr, {}, QRect(10, 42, 130, 28)});
    add(&R::Data, {"txtData", Control::Edit, nullptr, " Data: ", QRect(10, 76, 130, 18), QRect(10, 94, 130, 24)});
    auto addParty = [&](const Party& p) {
        const int right = 8 + p.width;   // right edge of the rows
        const card::FieldDef defs[7] = {
            {p.names[0], Control::Edit, p.panel, " Cognome, nome o ragione sociale: ", QRect(8, 20, 300, 16), QRect(8, 36, p.width, 22)},
            {p.names[1], Control::Edit, p.panel, " Indirizzo: ", QRect(8, 64, 72, 22), QRect(80, 64, right - 80, 22)},
            {p.names[2], Control::Edit, p.panel, " CAP: ", QRect(8, 92, 40, 22), QRect(48, 92, 64, 22)},
            {p.names[3], Control::Edit, p.panel, " Città: ", QRect(118, 92, 44, 22), QRect(162, 92, right - 230, 22)},
            {p.names[4], Control::Edit, p.panel, " Prov. ", QRect(right - 66, 92, 40, 22), QRect(right - 28, 92, 28, 22), 0, Look::Bold, KeyRule::UpperAlways},
            {p.names[5], Control::Edit, p.panel, " Partita IVA: ", QRect(8, 124, 96, 22), QRect(104, 124, 120, 22), 0, Look::Bold, KeyRule::Digits, kVatDigits},
            {p.names[6], Control::Edit, p.panel, " Codice fiscale: ", QRect(8, 158, 96, 22), QRect(104, 158, 170, 22), 0, Look::Bold, KeyRule::UpperAlways},
        };
        for (int k = 0; k < 7; ++k)
            add(p.fields[k], defs[k]);
    };
    addParty(kCompany);
    add(&R::Libero01, {"txtLibero01", Control::Edit, "grpDitta", " Campo libero 1: ", QRect(8, 190, 110, 22), QRect(118, 190, 274, 22)});
    add(&R::Libero02, {"txtLibero02", Control::Edit, "grpDitta", " Campo libero 2: ", QRect(8, 216, 110, 22), QRect(118, 216, 274, 22)});
    addParty(kClient);
    add(&R::ModPag, {"txtModPag", Control::Edit, nullptr, " Modalità di pagamento: ", QRect(560, 196, 150, 22), QRect(718, 196, 222, 22)});
    add(&R::Banca, {"txtBanca", Control::Edit, nullptr, " Banca d'appoggio: ", QRect(560, 222, 150, 22), QRect(718, 222, 222, 22)});
    // The appliance on one row.
    struct App { QString R::*f; const char* name; const char* caption; KeyRule rule; };
    const App app[] = {{&R::CodiceApp, "txtTelaio", " Codice:", KeyRule::None},
                       {&R::TipologiaApp, "txtPercorsi", " Tipologia:", KeyRule::None},
                       {&R::MarcaApp, "txtTarga", " Marca:", KeyRule::UpperAlways},
                       {&R::ModelloApp, "txtImmatricolazione", " Modello:", KeyRule::None},
                       {&R::AccessoriApp, "txtMarca", " Accessori:", KeyRule::None}};
    for (int k = 0; k < 5; ++k)
        add(app[k].f, {app[k].name, Control::Edit, "grpApparecchio", app[k].caption, QRect(8 + 176 * k, 22, 76, 22),
                       QRect(86 + 176 * k, 22, 92, 22), 0, Look::Bold, app[k].rule});
    // The twenty lines, five to a page, from the one line description; the
    // computed line total is out of the chain.
    for (int i = 0; i < 20; ++i) {
        for (std::size_t c = 0; c < lineColumns().size(); ++c) {
            const LineColumn& col = lineColumns()[c];
            card::FieldDef def{names().line[i][c].constData(), Control::Edit, pageName(i / 5), nullptr, {},
                               QRect(col.x, lineY(i % 5), col.width, 26)};
            def.rule = col.rule;
            def.leave = col.leave;
            def.look = col.look;
            def.align = col.align;
            if (col.leave == Leave::UpToHundred)
                def.message = kDiscountAbove100;
            if (col.look != Look::Computed)
                def.chain = ++chain;
            t.push_back({nullptr, def, col.member, i});
        }
    }
    add(&R::TotNetto, {"txtTotNetto", Control::Edit, "grpTotali", "Totale netto:", QRect(92, 26, 86, 24), QRect(178, 26, 100, 26), 0, Look::Computed}, false);
    add(&R::PercIva, {"txtPercIva", Control::Edit, "grpTotali", "IVA:", QRect(294, 26, 30, 24), QRect(326, 26, 52, 26), 0, Look::Bold,
                      KeyRule::Amount, nullptr, "0", Leave::Number});
    add(&R::TotIva, {"txtTotIva", Control::Edit, "grpTotali", "Totale IVA:", QRect(410, 26, 78, 24), QRect(488, 26, 100, 26), 0, Look::Computed}, false);
    add(&R::Totale, {"txtTotale", Control::Edit, "grpTotali", "TOTALE:", QRect(604, 26, 62, 24), QRect(666, 26, 110, 26), 0, Look::Computed}, false);
    return t;
}

void addLineCaptions(QWidget* page, int index)
{
    for (const LineColumn& col : lineColumns()) {
        auto* h = new QLabel(QString::fromUtf8(col.header), page);
        h->setGeometry(col.x, 20, col.width, 18);
    }
    for (int row = 0; row < 5; ++row) {
        auto* n = new QLabel(QStringLiteral("%1.").arg(index * 5 + row + 1), page);
        n->setGeometry(6, lineY(row), 26, 26);
        n->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
}

void dressUp(card::FormBase& form)
{
    QLineEdit* label = form.edit(QStringLiteral("txtRicevuta"));
    label->setReadOnly(true);
    label->setFocusPolicy(Qt::NoFocus);
    label->setAlignment(Qt::AlignCenter);
    label->setText(QStringLiteral("Ricevuta n."));
    label->setStyleSheet(QStringLiteral("QLineEdit { background: black; color: white; border: none; }"));
    QFont big = label->font();
    big.setPointSize(big.pointSize() + 3);
    label->setFont(big);
    form.edit(QStringLiteral("txtNumRic"))->setAlignment(Qt::AlignCenter);
    form.edit(QStringLiteral("txtNumRic"))->setFont(big);

    QLineEdit* total = form.edit(QStringLiteral("txtTotale"));
    QPalette maroon = total->palette();
    maroon.setColor(QPalette::Text, QColor(128, 0, 0));
    total->setPalette(maroon);
}

} // namespace ReceiptFields
