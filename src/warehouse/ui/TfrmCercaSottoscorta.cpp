#include "warehouse/ui/TfrmCercaSottoscorta.h"

#include "warehouse/MaterialCard.h"

namespace {

ListScreenSpec underStockSpec()
{
    ListScreenSpec spec;
    spec.objectName = QStringLiteral("frmCercaSottoscorta");
    spec.caption = QStringLiteral(" Materiali in esaurimento");
    // A failing archive ends the list where it stopped, without a message.
    spec.reportsArchiveFailure = false;
    spec.report = [] { return plainListReport(QStringLiteral("Materiali in esaurimento"), 21); };
    return spec;
}

} // namespace

TfrmCercaSottoscorta::TfrmCercaSottoscorta() : ListScreen(underStockSpec())
{
}

bool TfrmCercaSottoscorta::collect(PackedLines& lines)
{
    m_chosen.reset();
    return MaterialCard::underStockList(lines);
}

void TfrmCercaSottoscorta::choose(const QString& line)
{
    Chosen<TRecMateriale> found{};
    if (MaterialCard::findByLine([](const char* r) { return MaterialCard::underStockLine(r); }, line, found.record,
                                 found.position))
        m_chosen = found;
}
