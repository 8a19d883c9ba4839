#include "reports/ReceiptSearch.h"

#include "receipts/ReceiptArchive.h"
#include "storage/ArchiveFile.h"
#include "storage/TextRules.h"

namespace ReceiptSearch {

std::vector<ListSearch::Criterion> Criteria::fields() const
{
    using R = TRecRicevuta;
    return {
        {numero, R::posNumRic},       {cliente, R::posCliente}, {citta, R::posCittaCli},
        {data, R::posData},           {codiceApp, R::posCodiceApp}, {marca, R::posMarcaApp},
        {iva, R::posIvaCli},          {codFisc, R::posCodFiscCli},
    };
}

bool search(const QString& yearFile, const Criteria& criteria, PackedLines& lines)
{
    ArchiveFile file = ReceiptArchive::yearFile(yearFile);
    return ListSearch::collect(file, criteria.fields(), ReceiptArchive::composeListLine, lines);
}

bool isPaid(const char* record)
{
    return TextRules::trim(loadField(record, TRecRicevuta::posSaldato)) == ReceiptArchive::paidMark(true);
}

bool unpaid(const QString& yearFile, PackedLines& lines)
{
    ArchiveFile file = ReceiptArchive::yearFile(yearFile);
    return ListSearch::collectWhere(file, [](const char* r) { return !isPaid(r); }, ReceiptArchive::composeListLine,
                                    lines);
}

} // namespace ReceiptSearch
