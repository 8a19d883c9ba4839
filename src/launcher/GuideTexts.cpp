#include "launcher/GuideTexts.h"

#include "storage/TextRules.h"

using TextRules::paragraphs;

QString launcherGuideTitle()
{
    return QStringLiteral("Uno sguardo a Ventoria");
}

QString launcherGuideText()
{
    return paragraphs({
        QStringLiteral("Ventoria è pensato per i negozi che vendono merce e per i laboratori che riparano o "
                       "fanno manutenzione di elettrodomestici e apparecchi: in un solo programma tiene i clienti, "
                       "il magazzino, le ricevute e i listini prezzi."),
        QStringLiteral("Dalla schermata principale si accede alle quattro aree di lavoro facendo clic sulle "
                       "immagini: Archivio clienti, Magazzino materiali, Emissione ricevute e Listino prezzi. "
                       "Chiudendo un'area di lavoro si torna a questa schermata."),
        QStringLiteral("Il magazzino raccoglie una scheda per ogni articolo o apparecchio: codice, tipologia, "
                       "marca, modello, accessori, descrizione, fornitore e suo recapito, data, costo e documento "
                       "di acquisto, modalità di ordine, prezzo al pubblico, collocazione, giacenza e note."),
        QStringLiteral("Per ogni articolo si può indicare la soglia di sottoscorta: l'elenco dei materiali in "
                       "esaurimento mostra gli articoli la cui giacenza è scesa fino a quella soglia."),
        QStringLiteral("A ogni scheda, di un cliente o di un articolo, si possono allegare fino a tre file "
                       "(fotografie, manuali, documenti) con una descrizione, e associare una cartella del "
                       "computer: si aprono con un clic direttamente dalla scheda."),
        QStringLiteral("Dalla scheda di un articolo si può avviare una ricerca in Internet su marca e modello, "
                       "per trovare rapidamente schede tecniche, ricambi e manuali."),
        QStringLiteral("L'archivio clienti conserva nominativo, indirizzo, categoria, prodotti o servizi di "
                       "interesse, modalità di pagamento, sconti, zona, recapiti telefonici, e-mail e note."),
        QStringLiteral("Per ogni cliente si registra se acconsente a ricevere pubblicità: l'elenco dei clienti "
                       "che acconsentono si può consultare e stampare in qualsiasi momento."),
        QStringLiteral("I controlli integrati verificano il codice fiscale, la partita IVA (indicando l'ufficio "
                       "che l'ha rilasciata), il numero di una carta di credito e il codice IBAN."),
        QStringLiteral("Le ricevute si emettono per la merce venduta o per gli interventi di assistenza. Ogni anno "
                       "ha il proprio archivio di ricevute, che si sceglie all'apertura dell'area."),
        QStringLiteral("In una ricevuta si importano gli articoli dal magazzino (la giacenza si aggiorna da sola) "
                       "e i dati del cliente dall'archivio; si possono indicare i dati dell'apparecchio riparato."),
        QStringLiteral("Sulle ricevute si stampano il logo della ditta e i suoi dati; la numerazione può partire "
                       "dal numero che si preferisce."),
        QStringLiteral("I totali si calcolano da soli: importi in euro con un massimo di quattro decimali, sconto "
                       "per ogni voce, IVA e totale arrotondato al centesimo."),
        QStringLiteral("I riepiloghi mensile, trimestrale e annuale elencano le ricevute del periodo con i "
                       "rispettivi totali e si possono stampare. L'elenco delle ricevute non ancora saldate aiuta "
                       "a seguire i pagamenti."),
        QStringLiteral("Le ricevute riportano in calce la nota sulla riservatezza dei dati personali. L'accesso al "
                       "programma è protetto da una password, che si può cambiare dalla finestra di accesso."),
        QStringLiteral("I listini prezzi si creano dal magazzino: si scelgono gli articoli con uno o più criteri "
                       "(codice, tipologia, descrizione, fornitore, prezzo, giacenza) oppure si prendono tutti, "
                       "si tolgono a mano quelli da escludere, si scrive l'intestazione e si stampa il listino."),
        QStringLiteral("Gli archivi dei clienti, del magazzino e delle ricevute si possono esportare in un file "
                       "che Microsoft Excel apre come foglio di lavoro."),
        QStringLiteral("Tutti gli archivi si trovano nella cartella del programma: collocando il programma in una "
                       "cartella condivisa in rete, più postazioni lavorano sugli stessi dati."),
        QStringLiteral("Il programma non richiede installazione: si può copiare la sua cartella su una chiavetta "
                       "USB e usarlo su qualsiasi computer, portando con sé tutti gli archivi."),
        QStringLiteral("In ogni schermata il pulsante della guida spiega le funzioni disponibili; la guida "
                       "completa in formato PDF si apre dalla finestra della guida in linea."),
    });
}
