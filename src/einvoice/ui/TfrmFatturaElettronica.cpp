#include "einvoice/ui/TfrmFatturaElettronica.h"

#include "einvoice/InvoiceFiles.h"
#include "einvoice/Invoicing.h"
#include "platform/Platform.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/KeyFilters.h"
#include "storage/TextRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QDir>
#include <QProgressDialog>
#include <QPushButton>

namespace {

// A row of a group: its caption, and the control named beside it.
template <class W>
W* row(QWidget* group, const QString& caption, const char* name, int y, int width = 356)
{
    auto* l = new QLabel(caption, group);
    l->setGeometry(14, y, 150, 24);
    auto* w = makeControl<W>(group, QLatin1String(name));
    w->setGeometry(170, y, width, 26);
    return w;
}

void fill(QComboBox* box, const std::vector<EInvoice::Code>& codes)
{
    for (const EInvoice::Code& c : codes)
        box->addItem(c.code.isEmpty() ? c.label : c.code + QStringLiteral(" - ") + c.label, c.code);
}

void choose(QComboBox* box, const QString& code, int otherwise = 0)
{
    const int at = box->findData(code);
    box->setCurrentIndex(at >= 0 ? at : otherwise);
}

} // namespace

TfrmFatturaElettronica::TfrmFatturaElettronica()
    : DialogScreen(QStringLiteral("frmFatturaElettronica"), QStringLiteral(" Fattura elettronica"), QSize(560, 450))
{
    build();
}

void TfrmFatturaElettronica::build()
{
    auto* info = new QLabel(QStringLiteral("Il file XML della fattura elettronica viene creato nella cartella \"%1\"\n"
                                           "accanto al programma, pronto per l'invio al Sistema di Interscambio.")
                                .arg(InvoiceFiles::folderName()),
                            this);
    info->setGeometry(14, 8, 532, 40);
    FieldColours::markCaption(info, true);

    auto* grpDestinatario = makeControl<QGroupBox>(this, QStringLiteral("grpDestinatario"), QStringLiteral(" Destinatario: "));
    grpDestinatario->setGeometry(10, 54, 540, 92);
    txtCodiceDestinatario = row<QLineEdit>(grpDestinatario, QStringLiteral("Codice destinatario:"), "txtCodiceDestinatario", 24, 110);
    txtCodiceDestinatario->setMaxLength(7);
    KeyFilters::upperCaseAlways(txtCodiceDestinatario);
    txtPEC = row<QLineEdit>(grpDestinatario, QStringLiteral("PEC (facoltativa):"), "txtPEC", 56);
    txtPEC->setMaxLength(256);

    auto* grpFiscale = makeControl<QGroupBox>(this, QStringLiteral("grpFiscale"), QStringLiteral(" Dati fiscali: "));
    grpFiscale->setGeometry(10, 152, 540, 92);
    cboRegimeFiscale = row<QComboBox>(grpFiscale, QStringLiteral("Regime fiscale:"), "cboRegimeFiscale", 24);
    fill(cboRegimeFiscale, EInvoice::taxRegimes());
    cboNatura = row<QComboBox>(grpFiscale, QStringLiteral("Natura (IVA 0%):"), "cboNatura", 56);
    cboNatura->addItem(QString(), QString());
    fill(cboNatura, EInvoice::natures());

    auto* grpPagamento = makeControl<QGroupBox>(this, QStringLiteral("grpPagamento"), QStringLiteral(" Pagamento: "));
    grpPagamento->setGeometry(10, 250, 540, 124);
    cboModalitaPagamento = row<QComboBox>(grpPagamento, QStringLiteral("Modalità:"), "cboModalitaPagamento", 24);
    fill(cboModalitaPagamento, EInvoice::paymentMethods());
    txtIBAN = row<QLineEdit>(grpPagamento, QStringLiteral("IBAN:"), "txtIBAN", 56);
    txtIBAN->setReadOnly(true);
    txtIBAN->setFocusPolicy(Qt::ClickFocus);
    FieldColours::setBackground(txtIBAN, FieldColours::computedBlue());
    chkBollo = makeControl<QCheckBox>(grpPagamento, QStringLiteral("chkBollo"),
                                      QStringLiteral("Bollo virtuale di 2,00 € (operazioni senza IVA oltre 77,47 €)"));
    chkBollo->setGeometry(14, 90, 512, 24);

    for (QWidget* field : std::initializer_list<QWidget*>{txtCodiceDestinatario, txtPEC, cboRegimeFiscale, cboNatura,
                                                          cboModalitaPagamento})
        FieldColours::install(field, Qt::white);

    auto* cmdAnnulla = dialogButton(this, "cmdAnnulla", QStringLiteral("Annulla"), QRect(320, 400, 110, 32));
    auto* cmdCrea = dialogButton(this, "cmdCrea", QStringLiteral("Crea"), QRect(440, 400, 110, 32));
    connect(cmdAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdCrea, &QPushButton::clicked, this, &TfrmFatturaElettronica::cmdCreaClick);
}

void TfrmFatturaElettronica::propose(bool zeroRate, const QString& paymentTerms, const QString& iban, bool stampDuty)
{
    m_zeroRate = zeroRate;
    choose(cboRegimeFiscale, InvoiceFiles::rememberedTaxRegime());
    choose(cboNatura, zeroRate ? InvoiceFiles::rememberedNature() : QString());
    cboNatura->setEnabled(zeroRate);
    choose(cboModalitaPagamento, EInvoice::proposedPaymentMethod(paymentTerms));
    txtIBAN->setText(iban);
    chkBollo->setChecked(stampDuty);
}

void TfrmFatturaElettronica::proposeFor(const TRecRicevuta& receipt)
{
    const InvoiceFiles::Recipient known = InvoiceFiles::rememberedRecipient(Invoicing::clientKey(receipt));
    txtCodiceDestinatario->setText(known.code.isEmpty() ? QStringLiteral("0000000") : known.code);
    txtPEC->setText(known.pec);
    propose(EInvoice::zeroRate(receipt), receipt.ModPag, EInvoice::ibanIn(receipt.Banca),
            EInvoice::stampDutyProposed(receipt));
}

void TfrmFatturaElettronica::proposeForMonth(const std::vector<TRecRicevuta>& receipts)
{
    txtCodiceDestinatario->setText(QStringLiteral("0000000"));
    txtCodiceDestinatario->setToolTip(QStringLiteral("Per i clienti senza un codice già usato"));
    txtPEC->clear();
    bool zeroRate = false, stampDuty = false;
    for (const TRecRicevuta& r : receipts) {
        zeroRate = zeroRate || EInvoice::zeroRate(r);
        stampDuty = stampDuty || EInvoice::stampDutyProposed(r);
    }
    propose(zeroRate, QString(), QString(), stampDuty);
    txtIBAN->setPlaceholderText(QStringLiteral("dalla banca d'appoggio di ogni ricevuta"));
}

EInvoice::Options TfrmFatturaElettronica::options() const
{
    EInvoice::Options o;
    o.recipientCode = TextRules::trim(txtCodiceDestinatario->text());
    o.pec = TextRules::trim(txtPEC->text());
    o.taxRegime = cboRegimeFiscale->currentData().toString();
    o.nature = m_zeroRate ? cboNatura->currentData().toString() : QString();
    o.paymentMethod = cboModalitaPagamento->currentData().toString();
    o.iban = o.paymentMethod.isEmpty() ? QString() : txtIBAN->text();
    o.stampDuty = chkBollo->isChecked();
    return o;
}

std::optional<EInvoice::Refusal> TfrmFatturaElettronica::refusedChoice() const
{
    return EInvoice::checkOptions(options(), m_zeroRate);
}

void TfrmFatturaElettronica::cmdCreaClick()
{
    if (const auto refused = refusedChoice()) {
        platform::current().showTaskMessage(refusedCaption(), refused->message, platform::MessageIcon::Warning);
        if (QWidget* w = findChild<QWidget*>(refused->field))
            w->setFocus();
        return;
    }
    // The regime and the nature are the shop's own: proposed next time. A
    // settings file that cannot take them costs only that proposal.
    const EInvoice::Options o = options();
    InvoiceFiles::rememberChoices(o.taxRegime, m_zeroRate ? o.nature : InvoiceFiles::rememberedNature());
    accept();
}

QString TfrmFatturaElettronica::refusedCaption()
{
    return QStringLiteral("Fattura elettronica non applicabile");
}

namespace {

const QString kFolderQuestion = QStringLiteral("\n\nAprire la cartella delle fatture elettroniche?");

void offerFolder(const QString& caption, const QString& text)
{
    if (platform::current().askYesNo(caption, text + kFolderQuestion))
        platform::current().openFolder(InvoiceFiles::folderPath());
}

} // namespace

QString TfrmFatturaElettronica::invoiceStored(const TRecRicevuta& stored)
{
    TfrmFatturaElettronica dialog;
    dialog.proposeFor(stored);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const EInvoice::Options options = dialog.options();
    Invoicing::Outcome done;
    {
        const platform::BusyCursor busy;
        done = Invoicing::invoice(stored, options);
    }
    if (done.kind != Invoicing::Outcome::Kind::Written) {
        platform::current().showTaskMessage(refusedCaption(), done.message, platform::MessageIcon::Warning);
        return done.field;
    }
    // Proposed again for this client's next invoice; a file that cannot
    // take it costs only that proposal.
    InvoiceFiles::rememberRecipient(Invoicing::clientKey(stored), {options.recipientCode, options.pec});
    QString text = QStringLiteral("La fattura elettronica è stata creata nel file:\n") + QDir::toNativeSeparators(done.path);
    for (const QString& notice : done.notices)
        text += QStringLiteral("\n\n") + notice;
    offerFolder(QStringLiteral("Fattura elettronica creata"), text);
    return QString();
}

void TfrmFatturaElettronica::invoiceAll(const std::vector<TRecRicevuta>& receipts, QWidget* parent)
{
    const QString caption = QStringLiteral("Fatture elettroniche");
    if (receipts.empty()) {
        platform::current().showTaskMessage(caption, QStringLiteral("Nel periodo scelto non ci sono ricevute."),
                                            platform::MessageIcon::Information);
        return;
    }
    TfrmFatturaElettronica dialog;
    dialog.proposeForMonth(receipts);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QProgressDialog progress(QStringLiteral("Creazione delle fatture elettroniche..."), QString(), 0,
                             int(receipts.size()), parent);
    progress.setObjectName(QStringLiteral("prgFatture"));
    progress.setWindowTitle(QStringLiteral(" ") + caption);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    Invoicing::Batch batch;
    {
        const platform::BusyCursor busy;
        batch = Invoicing::invoiceAll(receipts, dialog.options(), [&progress](int done) { progress.setValue(done); });
    }
    progress.close();
    const QString text = Invoicing::batchSummary(batch);
    if (batch.written == 0)
        platform::current().showTaskMessage(caption, text, platform::MessageIcon::Warning);
    else
        offerFolder(caption, text);
}
