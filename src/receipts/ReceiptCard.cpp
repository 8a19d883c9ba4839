#include "receipts/ReceiptCard.h"

#include "receipts/ReceiptArchive.h"

namespace ReceiptCard {

using R = TRecRicevuta;

const std::vector<Fill<TRecCliente>>& clientImport()
{
    using C = TRecCliente;
    static const std::vector<Fill<C>> fills = {
        {&R::Cliente, &C::Nominativo}, {&R::IndirizzoCli, &C::Indirizzo}, {&R::CapCli, &C::Cap},
        {&R::CittaCli, &C::Citta},     {&R::ProvCli, &C::Prov},           {&R::IvaCli, &C::Iva},
        {&R::CodFiscCli, &C::CodFisc}, {&R::ModPag, &C::Pagamento},
    };
    return fills;
}

const std::vector<Fill<TRecMateriale>>& applianceImport()
{
    using M = TRecMateriale;
    static const std::vector<Fill<M>> fills = {
        {&R::CodiceApp, &M::Codice}, {&R::TipologiaApp, &M::Tipologia}, {&R::MarcaApp, &M::Marca},
        {&R::ModelloApp, &M::Modello}, {&R::AccessoriApp, &M::Accessori},
    };
    return fills;
}

const std::vector<Setting>& companySettings()
{
    using C = ReceiptSettings::Company;
    static const std::vector<Setting> settings = {
        {&R::Venditore, &C::nome, true},       {&R::IndirizzoVen, &C::indirizzo, true},
        {&R::CapVen, &C::cap, true},           {&R::CittaVen, &C::comune, true},
        {&R::ProvVen, &C::provincia, true},    {&R::IvaVen, &C::partitaIva, true},
        {&R::CodFiscVen, &C::codiceFiscale, true}, {&R::Libero01, &C::libero1, true},
        {&R::Libero02, &C::libero2, true},     {&R::Banca, &C::banca, false},
    };
    return settings;
}

void settingsInto(const ReceiptSettings::Company& company, TRecRicevuta& receipt)
{
    for (const Setting& s : companySettings())
        receipt.*s.field = company.*s.key;
}

ReceiptSettings::Company settingsOf(const TRecRicevuta& receipt)
{
    ReceiptSettings::Company company;
    for (const Setting& s : companySettings())
        company.*s.key = TextRules::trim(receipt.*s.field);
    return company;
}

namespace {

bool filled(const QString& text) { return !text.isEmpty(); }
bool realDate(const QString& text) { return ReceiptArchive::isSavableDate(text); }

} // namespace

const std::vector<SaveCheck>& saveChecks()
{
    static const std::vector<SaveCheck> checks = {
        {&R::Venditore, "Per salvare la scheda è necessario indicare il cognome e il nome o la ragione sociale della ditta emittente.", filled},
        {&R::Cliente, "Per salvare la scheda è necessario indicare il cognome e il nome del cliente.", filled},
        {&R::NumRic, "Per salvare la scheda è necessario indicare il numero della ricevuta.", filled},
        {&R::Data, "Per salvare la scheda è necessario indicare la data della ricevuta.", filled},
        {&R::Data, "Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una data valida nel formato gg/mm/anno.",
         realDate},
    };
    return checks;
}

const SaveCheck* failedSaveCheck(const TRecRicevuta& receipt)
{
    for (const SaveCheck& c : saveChecks()) {
        if (!c.passes(TextRules::trim(receipt.*c.field)))
            return &c;
    }
    return nullptr;
}

} // namespace ReceiptCard
