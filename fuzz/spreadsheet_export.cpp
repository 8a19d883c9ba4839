// The export writer over records built from the input: every archive row
// has one text per column, and the written file, read back cell by cell,
// holds the worksheet name, the headers and widths of the columns and every
// row's texts exactly, whatever markup characters they hold; the amounts of
// a number column are numbers wherever they read as one.

#include "export/ExportTables.h"
#include "storage/ShortString.h"

#include "FuzzSupport.h"

#include <vector>

namespace {

// Reads the file back piece by piece; any piece out of place is a finding.
class Reader
{
public:
    explicit Reader(const QString& text) : m_text(text) {}

    void expect(const QString& piece)
    {
        FUZZ_REQUIRE(m_text.mid(m_at, piece.size()) == piece, piece, m_text.mid(m_at, 80));
        m_at += int(piece.size());
    }

    // The text of a cell up to "</td>", its entities read back.
    QString cell()
    {
        const int end = int(m_text.indexOf(QLatin1String("</td>"), m_at));
        FUZZ_REQUIRE(end >= 0, m_text.mid(m_at, 80));
        QString raw = m_text.mid(m_at, end - m_at);
        m_at = end + 5;
        FUZZ_REQUIRE(!raw.contains(QLatin1Char('<')) && !raw.contains(QLatin1Char('>')), raw);
        return raw.replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&amp;"), QLatin1String("&"));
    }
    bool atEnd() const { return m_at == m_text.size(); }

private:
    QString m_text;
    int m_at = 0;
};

const ExportTable& tableFor(int archive)
{
    switch (archive) {
    case 0:
        return ExportTables::clients();
    case 1:
        return ExportTables::materials();
    default:
        return ExportTables::receipts();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const ExportTable& table = tableFor(in.ConsumeIntegralInRange<int>(0, 2));
    const std::string bytes = in.ConsumeRemainingBytesAsString();

    // The records the input holds; a last incomplete one is padded with
    // zeros, which read as empty fields.
    std::vector<QStringList> rows;
    const size_t recordSize = size_t(table.recordSize);
    for (size_t at = 0; at < bytes.size(); at += recordSize) {
        QByteArray record(bytes.data() + at, int(std::min(recordSize, bytes.size() - at)));
        record.append(QByteArray(int(recordSize) - record.size(), '\0'));
        rows.push_back(table.row(record.constData()));
        FUZZ_REQUIRE(rows.back().size() == int(table.columns.size()));
    }

    const std::vector<SpreadsheetExport::FileColumn> columns = table.fileColumns();
    const QByteArray file = SpreadsheetExport::build(table.worksheetName, columns, rows);
    const QString text = ShortString::fromWindows1252(file.constData(), int(file.size()));
    FUZZ_REQUIRE(ShortString::toWindows1252(text) == file);

    Reader reader(text);
    reader.expect(QStringLiteral("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\""));
    const int name = int(text.indexOf(QLatin1String("<x:Name>")));
    FUZZ_REQUIRE(text.mid(name + 8, table.worksheetName.size() + 9) == table.worksheetName + QStringLiteral("</x:Name>"));
    const int body = int(text.indexOf(QLatin1String("<table x:str>")));
    FUZZ_REQUIRE(body > name);
    Reader rest(text.mid(body));
    rest.expect(QStringLiteral("<table x:str><tr>"));
    for (const SpreadsheetExport::FileColumn& column : columns) {
        rest.expect(QStringLiteral("<td style=\"text-align: left; font-weight: bold;\" width=")
                    + QString::number(column.width) + QStringLiteral(" sdnum=\"1040;0;@\">"));
        FUZZ_REQUIRE(rest.cell() == column.header, column.header);
    }
    rest.expect(QStringLiteral("</tr>"));
    for (const QStringList& row : rows) {
        rest.expect(QStringLiteral("<tr>"));
        for (int c = 0; c < row.size(); ++c) {
            const QString& value = row.at(c);
            // A number column's cell is a number where its text reads as one.
            const QString number = columns[size_t(c)].number ? SpreadsheetExport::numberAttributes(value) : QString();
            rest.expect(number.isEmpty() ? QStringLiteral("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">")
                                         : QStringLiteral("<td") + number + QStringLiteral(">"));
            const QString back = rest.cell();
            FUZZ_REQUIRE(back == value, value, back);
        }
        rest.expect(QStringLiteral("</tr>"));
    }
    rest.expect(QStringLiteral("</table></body></html>"));
    FUZZ_REQUIRE(rest.atEnd());
    return 0;
}
