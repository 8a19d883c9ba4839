#include "storage/Browse.h"

#include "platform/Platform.h"
#include "storage/ArchiveFile.h"

QString emptyArchiveCaption()
{
    return QStringLiteral("Visualizzazione dati non applicabile");
}

QString emptyArchiveMessage()
{
    return QStringLiteral("L'archivio non contiene nessuna scheda.");
}

bool BrowseArchive(ArchiveFile& archive, BrowseCommand command, QString& positionLabel, QByteArray& record)
{
    const QString label = positionLabel.trimmed();
    bool numeric = false;
    const qint64 current = label.toLongLong(&numeric);
    const bool isNew = label.isEmpty() || !numeric;

    // Previous on the first card does nothing, without even opening the archive.
    if (command == BrowseCommand::Previous && !isNew && current == 1)
        return false;

    qint64 records = 0;
    if (!archive.count(records))
        return false;
    if (records == 0) {
        if (command == BrowseCommand::Next && !isNew)
            positionLabel.clear();
        platform::current().showTaskMessage(emptyArchiveCaption(), emptyArchiveMessage(),
                                            platform::MessageIcon::Information);
        return false;
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
            return false;
        break;
    case BrowseCommand::Last:
        target = records;
        break;
    }

    if (!archive.read(target - 1, record))
        return false;
    positionLabel = QString::number(target);
    return true;
}
