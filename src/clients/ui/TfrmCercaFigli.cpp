#include "clients/ui/TfrmCercaFigli.h"

#include "clients/ClientCard.h"

namespace {

ListScreenSpec consentSpec()
{
    ListScreenSpec spec;
    spec.objectName = QStringLiteral("frmCercaFigli");
    spec.caption = QStringLiteral(" Clienti che acconsentono a ricevere pubblicità");
    // A failing archive ends the list where it stopped, without a message.
    spec.reportsArchiveFailure = false;
    spec.report = [] { return plainListReport(QStringLiteral("Clienti che acconsentono a ricevere pubblicità"), 24); };
    return spec;
}

} // namespace

TfrmCercaFigli::TfrmCercaFigli() : ListScreen(consentSpec())
{
}

bool TfrmCercaFigli::collect(PackedLines& lines)
{
    m_chosen.reset();
    return ClientCard::consentList(lines);
}

void TfrmCercaFigli::choose(const QString& line)
{
    Chosen<TRecCliente> found{};
    if (ClientCard::findByLine(ClientCard::composeConsentLine, line, found.record, found.position))
        m_chosen = found;
}
