#include "reports/ui/TfrmCercaSospesiRic.h"

#include "reports/ReceiptSearch.h"

namespace {

ListScreenSpec unpaidSpec()
{
    ListScreenSpec spec;
    spec.objectName = QStringLiteral("frmCercaSospesiRic");
    spec.caption = QStringLiteral("Ricevute non ancora saldate");
    spec.scrollWidth = 1300;
    // A failing year file ends the list where it stopped, without a message.
    spec.reportsArchiveFailure = false;
    spec.report = [] {
        ListReportSpec report;
        report.title = QStringLiteral("Ricevute non ancora saldate");
        report.ruleLength = 23;
        return report;
    };
    return spec;
}

} // namespace

TfrmCercaSospesiRic::TfrmCercaSospesiRic() : ListScreen(unpaidSpec())
{
}

void TfrmCercaSospesiRic::setYearFile(const QString& yearFile)
{
    m_yearFile = yearFile;
}

bool TfrmCercaSospesiRic::collect(QStringList& lines)
{
    m_chosen.reset();
    return ReceiptSearch::unpaid(m_yearFile, lines);
}

void TfrmCercaSospesiRic::choose(const QString& line)
{
    Chosen<TRecRicevuta> found{};
    if (ReceiptSearch::findByLine(m_yearFile, line, found.record, found.position))
        m_chosen = found;
}
