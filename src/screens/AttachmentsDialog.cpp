#include "screens/AttachmentsDialog.h"

#include "platform/Platform.h"

namespace {

std::vector<LinkedPathsDialog::RowSpec> attachmentRows()
{
    std::vector<LinkedPathsDialog::RowSpec> rows;
    for (int k = 1; k <= 3; ++k) {
        const QString nn = QStringLiteral("0%1").arg(k);
        rows.push_back({QStringLiteral("File allegato %1").arg(k), QStringLiteral("lblFile") + nn,
                        QStringLiteral("lblDesc") + nn});
    }
    return rows;
}

} // namespace

AttachmentsDialog::AttachmentsDialog(const QString& objectName, QWidget* card)
    : LinkedPathsDialog(objectName, QStringLiteral(" Allega file"), card,
                        {QStringLiteral("Selezionare i file da allegare alla scheda corrente servendosi del pulsante Sfoglia."),
                         QStringLiteral("Quindi fare clic su Applica e chiudi e poi sul pulsante Salva per salvare le modifiche."),
                         QString::fromUtf8("Per visualizzare un file è sufficiente premere il pulsante Apri.")},
                        attachmentRows())
{
}

QString AttachmentsDialog::choosePath()
{
    return platform::current().openFileDialog(this, QStringLiteral("Selezionare un file e premere Apri:"),
                                              {QStringLiteral("Tutti i file (*.*)")});
}

void AttachmentsDialog::openPath(const QString& path)
{
    platform::openDocumentOrTell(path);
}

QString AttachmentsDialog::overlongPathMessage() const
{
    return QString::fromUtf8("Attenzione: il percorso del file scelto è più lungo di %1 caratteri e non può essere "
                             "memorizzato nella scheda. Spostare il file in una cartella con un percorso più breve.")
        .arg(pathCapacity());
}
