#include "storage/Browse.h"

#include "storage/ArchiveFile.h"

QString emptyArchiveCaption()
{
    return QStringLiteral("Visualizzazione dati non applicabile");
}

QString emptyArchiveMessage()
{
    return QStringLiteral("L'archivio non contiene nessuna scheda.");
}

QString changedElsewhereCaption()
{
    return QStringLiteral("Salvataggio scheda");
}

QString changedElsewhereQuestion()
{
    return QStringLiteral("Attenzione: la scheda è stata modificata da un'altra postazione dopo essere stata aperta. "
                          "Sovrascriverla con i dati mostrati?");
}

BrowseResult browseArchive(ArchiveFile& archive, BrowseCommand command, qint64 current)
{
    using Outcome = BrowseResult::Outcome;
    BrowseResult result;
    const bool isNew = current <= 0;

    // Previous on the first card does nothing, without even opening the archive.
    if (command == BrowseCommand::Previous && current == 1)
        return result;

    qint64 records = 0;
    if (!archive.count(records)) {
        result.outcome = Outcome::Failed;
        return result;
    }
    if (records == 0) {
        result.outcome = Outcome::EmptyArchive;
        result.clearPosition = command == BrowseCommand::Next && !isNew;
        return result;
    }

    qint64 target = 0;
    switch (command) {
    case BrowseCommand::First:
        target = 1;
        break;
    case BrowseCommand::Previous:
        target = isNew ? 1 : current - 1;
        break;
    case BrowseCommand::Next:
        if (isNew)
            target = 1;
        else if (current < records)
            target = current + 1;
        else
            return result;
        break;
    case BrowseCommand::Last:
        target = records;
        break;
    }

    if (!archive.read(target - 1, result.record)) {
        result.outcome = Outcome::Failed;
        return result;
    }
    result.outcome = Outcome::Record;
    result.position = target;
    return result;
}
