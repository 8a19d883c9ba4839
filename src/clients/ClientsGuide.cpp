#include "clients/ClientsGuide.h"

#include "storage/TextRules.h"

using TextRules::paragraphs;

QString clientsGuideTitle()
{
    return QStringLiteral("Gestione dell'archivio clienti");
}

QString clientsGuideText()
{
    return paragraphs({
        QStringLiteral("L'archivio clienti è una rubrica dei clienti dell'attività: i dati di ogni cliente si "
                       "possono importare direttamente nelle ricevute, senza doverli digitare di nuovo."),
        QStringLiteral("Ogni scheda contiene nominativo, indirizzo con CAP, città e provincia, categoria, "
                       "prodotti o servizi di interesse, modalità di pagamento, sconti praticati, zona di "
                       "appartenenza, codice fiscale, carta di credito, partita IVA, coordinate IBAN, recapiti "
                       "telefonici e fax, e-mail e note."),
        QStringLiteral("Spuntando la casella \"Sì pubblicità\" si registra il consenso del cliente a ricevere "
                       "pubblicità; il pulsante dedicato mostra l'elenco dei clienti che hanno dato il consenso, "
                       "con i loro recapiti, pronto da stampare."),
        QStringLiteral("A ogni scheda si può associare una cartella del computer e allegare fino a tre file, "
                       "ciascuno con una descrizione: si aprono con un solo clic."),
        QStringLiteral("Il pulsante Nuovo prepara una scheda vuota; il pulsante Salva inserisce la scheda in "
                       "archivio oppure aggiorna quella esistente, registrando il giorno e l'ora del salvataggio."),
        QStringLiteral("Le frecce scorrono le schede dell'archivio dalla prima all'ultima. La ricerca trova i "
                       "clienti usando più criteri insieme; con un doppio clic su una voce dell'elenco la scheda "
                       "viene richiamata."),
        QStringLiteral("Il pulsante della ricerca sul Web cerca tramite Google informazioni sul cliente a partire "
                       "dal suo nominativo; il pulsante accanto all'e-mail prepara un messaggio al cliente con il "
                       "programma di posta predefinito."),
        QStringLiteral("I pulsanti di controllo verificano codice fiscale, carta di credito, partita IVA e "
                       "coordinate IBAN; il controllo della partita IVA indica anche l'ufficio che l'ha "
                       "rilasciata."),
        QStringLiteral("La scheda corrente si può stampare su un foglio A4 e l'intero archivio si può esportare "
                       "in un foglio di Microsoft Excel."),
    });
}
