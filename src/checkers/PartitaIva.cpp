#include "checkers/PartitaIva.h"

#include "storage/TextRules.h"

#include <QHash>

namespace {

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

int digit(const QString& s, int position)
{
    return s.at(position - 1).unicode() - '0';
}

const QHash<QString, QString>& offices()
{
    static const QHash<QString, QString> table = [] {
        // Codes 001 to 102 in order, then the two later codes of Bologna 2 and Napoli 2.
        static const char* const names[] = {
            "Torino", "Vercelli", "Novara", "Cuneo", "Asti", "Alessandria", "Aosta", "Imperia", "Savona",
            "Genova 1", "La Spezia", "Varese", "Como", "Sondrio", "Milano 1", "Bergamo", "Brescia 1", "Pavia",
            "Cremona", "Mantova", "Bolzano", "Trento", "Verona", "Vicenza", "Belluno", "Treviso", "Venezia",
            "Padova", "Rovigo", "Udine", "Gorizia", "Trieste", "Piacenza", "Parma", "Reggio Emilia", "Modena",
            "Bologna 1", "Ferrara", "Ravenna", "Forlì", "Pesaro", "Ancona", "Macerata", "Ascoli Piceno",
            "Massa Carrara", "Lucca", "Pistoia", "Firenze 1", "Livorno", "Pisa", "Arezzo", "Siena", "Grosseto",
            "Perugia", "Terni", "Viterbo", "Rieti", "Roma 1", "Latina", "Frosinone", "Caserta", "Benevento",
            "Napoli 1", "Avellino", "Salerno", "Aquila", "Teramo", "Pescara", "Chieti", "Campobasso", "Foggia",
            "Bari", "Taranto", "Brindisi", "Lecce", "Potenza", "Matera", "Cosenza", "Catanzaro",
            "Reggio Calabria", "Trapani", "Palermo", "Messina", "Agrigento", "Caltanissetta", "Enna", "Catania",
            "Ragusa", "Siracusa", "Sassari", "Nuoro", "Cagliari", "Pordenone", "Isernia", "Oristano",
            "Monza (Milano 2)", "Prato (Firenze 2)", "Brescia 2", "Chiavari (Genova 2)", "Roma 2", "Bologna 2",
            "Napoli 2"};
        QHash<QString, QString> t;
        int code = 1;
        for (const char* name : names)
            t.insert(QStringLiteral("%1").arg(code++, 3, 10, QLatin1Char('0')), QString::fromUtf8(name));
        t.insert(QStringLiteral("120"), QStringLiteral("Bologna 2"));
        t.insert(QStringLiteral("121"), QStringLiteral("Napoli 2"));
        return t;
    }();
    return table;
}

} // namespace

bool CheckPartitaIva(const QString& number)
{
    if (number.size() != IvaChecker::kLength)
        return false;
    for (const QChar c : number) {
        if (!isDigit(c))
            return false;
    }
    int sum = 0;
    for (int i = 1; i <= 10; ++i) {
        if (i % 2 == 1) {
            sum += digit(number, i);
        } else {
            const int t = 2 * digit(number, i);
            sum += t / 10 + t % 10;
        }
    }
    return digit(number, 11) == (10 - sum % 10) % 10;
}

QString IvaOfficeName(const QString& officeCode)
{
    return offices().value(officeCode);
}

namespace {

CheckerMessage verdict(const QString& fieldText)
{
    const QString number = TextRules::upperAZ(fieldText);
    if (!CheckPartitaIva(number))
        return CheckerMessage::wrong(QStringLiteral("Risultato controllo partita IVA"),
                                     QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!"),
                                     QString::fromUtf8("Non è quindi possibile fornire informazioni relative "
                                                       "all'Ufficio IVA che lo ha rilasciato."));
    const QString office = number.mid(7, 3);
    const QString town = IvaOfficeName(office);
    // A code the table does not know names no town: said so, rather than
    // "del Comune di ." with nothing in between.
    const QString issuedBy = town.isEmpty()
                                 ? QStringLiteral("Il codice dell'Ufficio IVA che lo ha rilasciato (%1) non risulta "
                                                  "assegnato ad alcun Comune.").arg(office)
                                 : QStringLiteral("E' stato rilasciato dall'Ufficio IVA del Comune di ") + town + QLatin1Char('.');
    return CheckerMessage::plain(QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.")
                                 + checkerParagraphBreak() + issuedBy);
}

// The window of a partita IVA and of a company's numeric codice fiscale.
CheckerRules ivaRules(const char* caption, const char* line1, const char* line2)
{
    return CheckerRules(verdict)
        .texts(QLatin1String(caption), QLatin1String(line1), QLatin1String(line2))
        .enabledFrom(IvaChecker::kLength, CheckerRules::Enter::Exactly)
        .taking(CheckerRules::Field::Digits)
        .requiring(IvaChecker::kLength,
                   CheckerMessage::plain(
                       QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.")),
                   false);
}

} // namespace

const CheckerRules& IvaChecker::rules(Purpose purpose)
{
    static const CheckerRules partitaIva =
        ivaRules(" Controllo partita IVA ", "Immettere la partita IVA nella casella sottostante e premere il",
                 "pulsante di controllo.");
    static const CheckerRules numericCodiceFiscale =
        ivaRules(" Controllo codice fiscale numerico / partita IVA",
                 "Immettere il codice fiscale numerico o la partita IVA nella casella",
                 "sottostante e premere il pulsante di controllo.");
    return purpose == Purpose::PartitaIva ? partitaIva : numericCodiceFiscale;
}
