#include "receipts/ReceiptsGuide.h"

#include "storage/TextRules.h"

using TextRules::paragraphs;

QString ReceiptsGuideTitle()
{
    return QStringLiteral("Gestione delle ricevute");
}

QString ReceiptsGuideText()
{
    return paragraphs({
        QStringLiteral("Le ricevute documentano la merce fornita o gli interventi di assistenza eseguiti per i "
                       "clienti. Per ogni anno solare viene creato un nuovo archivio: basta indicare l'anno e "
                       "premere Apri."),
        QStringLiteral("Le ricevute si stampano in due formati: grande, una ricevuta per foglio, e piccolo, due "
                       "ricevute per foglio. Nella stampa compare il logo della ditta, che si può personalizzare "
                       "caricando un file Bitmap, e in calce la nota sul trattamento dei dati personali."),
        QStringLiteral("Gli articoli e l'apparecchio si importano dal magazzino, il cliente dall'archivio dei "
                       "clienti. I dati della ditta emittente vengono salvati automaticamente alla chiusura della "
                       "schermata. La numerazione è automatica e può partire dal numero che si preferisce."),
        QStringLiteral("Per ogni voce si può indicare uno sconto in percentuale. Totali e IVA sono calcolati "
                       "automaticamente in euro con un massimo di quattro decimali; il totale complessivo è "
                       "arrotondato al centesimo. Per ogni cliente si possono controllare partita IVA e codice "
                       "fiscale."),
        QStringLiteral("La casella Saldato segna le ricevute pagate; l'elenco delle ricevute non ancora saldate le "
                       "mostra tutte. La ricerca combina più criteri insieme e i riepiloghi mensile, trimestrale e "
                       "annuale riassumono le ricevute emesse con i loro totali."),
    });
}
