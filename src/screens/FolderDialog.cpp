#include "screens/FolderDialog.h"

#include "platform/Platform.h"

FolderDialog::FolderDialog(const QString& objectName, QWidget* card)
    : LinkedPathsDialog(objectName, QStringLiteral(" Associa cartella"), card,
                        {QStringLiteral("Selezionare la cartella da associare alla scheda corrente servendosi del pulsante Sfoglia."),
                         QStringLiteral("Quindi fare clic su Applica e chiudi e poi sul pulsante Salva per salvare le modifiche."),
                         QString::fromUtf8("Per aprire la cartella è sufficiente premere il pulsante Apri.")},
                        {{QStringLiteral("Cartella associata"), QStringLiteral("lblCartella"),
                          QStringLiteral("lblCartellaDesc")}})
{
}

QString FolderDialog::choosePath()
{
    return platform::current().browseFolder(this, QStringLiteral("Selezionare una cartella:"));
}

void FolderDialog::openPath(const QString& path)
{
    platform::current().openFolder(path);
}

QString FolderDialog::overlongPathMessage() const
{
    return QString::fromUtf8("Attenzione: il percorso della cartella scelta è più lungo di %1 caratteri e non può "
                             "essere memorizzato nella scheda. Spostare la cartella in una posizione con un "
                             "percorso più breve.")
        .arg(pathCapacity());
}
