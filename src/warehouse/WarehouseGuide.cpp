#include "warehouse/WarehouseGuide.h"

#include "storage/TextRules.h"

using TextRules::paragraphs;

QString warehouseGuideTitle()
{
    return QStringLiteral("Gestione del magazzino dei materiali");
}

QString warehouseGuideText()
{
    return paragraphs({
        QStringLiteral("Il magazzino raccoglie i dati principali di ogni articolo o apparecchio dell'attività: "
                       "serve a tenere traccia degli acquisti e a preparare i listini prezzi e le ricevute."),
        QStringLiteral("Ogni scheda contiene codice, tipologia, marca, modello, accessori e descrizione "
                       "dell'articolo, il fornitore con il suo recapito, data, costo, documento e modalità di "
                       "ordine dell'acquisto, il prezzo al pubblico, la collocazione, la giacenza e il livello di "
                       "avviso sottoscorta, oltre alle note. Codice, descrizione e prezzo al pubblico si possono "
                       "importare direttamente in una ricevuta."),
        QStringLiteral("A ogni scheda si possono allegare fino a tre file e associare una cartella del computer. "
                       "Il pulsante dei materiali in esaurimento elenca gli articoli la cui giacenza è scesa al "
                       "livello di avviso; il pulsante della ricerca sul Web cerca tramite Google informazioni "
                       "sull'articolo a partire dalla marca e dal modello."),
        QStringLiteral("La ricerca trova le schede combinando più filtri insieme; con un doppio clic su una voce "
                       "dell'elenco la scheda viene richiamata. Ogni scheda si può stampare."),
    });
}

QString priceListGuideTitle()
{
    return QStringLiteral("Creazione listino prezzi");
}

QString priceListGuideText()
{
    return paragraphs({
        QStringLiteral("Il listino prezzi si costruisce dagli articoli del magazzino e si stampa: non viene salvato, "
                       "e ogni volta riporta i prezzi aggiornati delle schede."),
        QStringLiteral("Indicare uno o più criteri (codice, tipologia, descrizione, fornitore, documento di "
                       "acquisto, un intervallo di prezzo o di giacenza) e premere Trova; i campi lasciati vuoti non "
                       "contano. \"Mostra tutti i prodotti\" prende l'intero magazzino."),
        QStringLiteral("Nell'elenco si selezionano le righe da togliere (più righe tenendo premuto Ctrl) e si preme "
                       "\"Elimina prodotti selezionati\". L'intestazione si corregge nella casella sotto l'elenco."),
        QStringLiteral("\"Stampa listino prezzi\" stampa l'elenco con l'intestazione e, in fondo, la data di "
                       "stampa. \"<< Indietro\" torna ai criteri per una nuova ricerca."),
    });
}
