#include "receipts/ReceiptsGuide.h"

#include "storage/TextRules.h"

using TextRules::paragraphs;

QString receiptsGuideTitle()
{
    return QStringLiteral("Gestione delle ricevute");
}

QString receiptsGuideText()
{
    return paragraphs({
        QStringLiteral("Le ricevute documentano la merce fornita o gli interventi di assistenza eseguiti per i "
                       "clienti, e si emettono e si stampano da questa schermata."),
        QStringLiteral("Per ogni anno solare viene creato un nuovo archivio di ricevute: basta indicare l'anno "
                       "e premere Apri."),
        QStringLiteral("Le ricevute si stampano in due formati: grande, una ricevuta per foglio, oppure piccolo, "
                       "due ricevute per foglio."),
        QStringLiteral("Gli articoli e i dati dell'apparecchio si importano dal magazzino, i dati del cliente "
                       "dall'archivio dei clienti, senza doverli digitare di nuovo. Importando un articolo la "
                       "sua giacenza cala subito, e resta così anche se la ricevuta non viene salvata: il "
                       "programma lo dice a ogni importazione."),
        QStringLiteral("I dati della ditta emittente vengono salvati automaticamente alla chiusura della "
                       "schermata e si ritrovano all'apertura successiva."),
        QStringLiteral("Nella stampa compare il logo della ditta, che si può personalizzare caricando un file "
                       "Bitmap. La numerazione è automatica e può partire dal numero che si preferisce."),
        QStringLiteral("Per ogni voce si può indicare uno sconto in percentuale."),
        QStringLiteral("Il pulsante OK calcola automaticamente i totali e l'IVA in euro, con un massimo di quattro "
                       "decimali; il totale complessivo è arrotondato al centesimo."),
        QStringLiteral("In calce a ogni ricevuta viene stampata la nota sul trattamento dei dati personali. Per "
                       "ogni cliente la ricevuta riporta sia la partita IVA sia il codice fiscale, che i pulsanti "
                       "accanto ai campi permettono di controllare."),
        QStringLiteral("La casella \"Saldato\" segna le ricevute pagate; l'elenco delle ricevute non ancora "
                       "saldate mostra quelle che attendono il pagamento."),
        QStringLiteral("La ricerca trova le ricevute combinando più criteri insieme. I riepiloghi mensile, "
                       "trimestrale e annuale elencano le ricevute emesse nel periodo con i loro totali."),
        QStringLiteral("Fattura elettronica: il pulsante XML crea dalla ricevuta salvata il file della fattura "
                       "elettronica (formato FatturaPA) da inviare al Sistema di Interscambio, con il servizio "
                       "gratuito \"Fatture e Corrispettivi\" dell'Agenzia delle Entrate o tramite il proprio "
                       "intermediario."),
        QStringLiteral("Il file va nella cartella \"Fatture elettroniche\" accanto al programma, con il nome IT, "
                       "partita IVA della ditta e un progressivo che non si ripete mai."),
        QStringLiteral("Il codice destinatario (sette caratteri; 0000000 se il cliente non ne ha uno) e la PEC "
                       "vengono ricordati per ogni cliente. Il regime fiscale è quello della ditta (RF01 ordinario, "
                       "RF19 forfettario); la natura spiega perché una ricevuta con IVA a 0 non ha imposta (N2.2 non "
                       "soggetta, N4 esente...); il bollo virtuale di 2 euro va sulle operazioni senza IVA oltre 77,47 "
                       "euro."),
        QStringLiteral("Dal riepilogo mensile il pulsante \"Fatture XML\" crea le fatture di tutte le ricevute del "
                       "mese e dice quali ricevute non è stato possibile trasformare, e perché."),
    });
}
