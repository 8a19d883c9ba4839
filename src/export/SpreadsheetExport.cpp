#include "export/SpreadsheetExport.h"

#include "storage/FileWrites.h"
#include "storage/ShortString.h"

#include <QRegularExpression>


namespace SpreadsheetExport {

namespace {

// The markup before the header row. Excel reads the worksheet name and the
// options from the conditional comment; the namespaces make it take the
// table as a worksheet rather than as a web page.
QString head(const QString& worksheetName)
{
    return QStringLiteral("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
                          "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
                          "xmlns=\"http://www.w3.org/TR/REC-html40\">"
                          "<head>"
                          "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                          "<!--[if gte mso 9]><xml>"
                          "<x:ExcelWorkbook>"
                          "<x:ExcelWorksheets>"
                          "<x:ExcelWorksheet>"
                          "<x:Name>")
        + worksheetName
        + QStringLiteral("</x:Name>"
                         "<x:WorksheetOptions>"
                         "<x:Selected/>"
                         "<x:Panes>"
                         "<x:Pane>"
                         "<x:Number>1</x:Number>"
                         "<x:ActiveRow>3</x:ActiveRow>"
                         "</x:Pane>"
                         "</x:Panes>"
                         "<x:ProtectContents>False</x:ProtectContents>"
                         "<x:ProtectObjects>False</x:ProtectObjects>"
                         "<x:ProtectScenarios>False</x:ProtectScenarios>"
                         "</x:WorksheetOptions>"
                         "</x:ExcelWorksheet>"
                         "</x:ExcelWorksheets>"
                         "</x:ExcelWorkbook>"
                         "</xml><![endif]-->"
                         "</head>"
                         "<body>"
                         "<table x:str>");
}

} // namespace

namespace {

// Bytes held before they go out as one piece.
constexpr int kPieceBytes = 1 << 20;

// Every cell is text. Excel takes that from the table's x:str; LibreOffice
// Calc ignores it and would turn a CAP "00184", a partita IVA or an article
// code into a number without its leading zeros. Calc takes the cell's own
// number format instead: Italian (1040), "@", the text format.
constexpr char kTextFormat[] = " sdnum=\"1040;0;@\"";

// Appends text to out with the three markup characters as entities.
void appendCell(QString& out, QStringView text)
{
    for (const QChar c : text) {
        if (c == u'&')
            out += QLatin1String("&amp;");
        else if (c == u'<')
            out += QLatin1String("&lt;");
        else if (c == u'>')
            out += QLatin1String("&gt;");
        else
            out += c;
    }
}

} // namespace

QString numberAttributes(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(-?)([0-9]{1,15})(?:,([0-9]{1,15}))?$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return QString();
    const QString whole = m.captured(2), decimals = m.captured(3);
    QString value = whole;
    while (value.size() > 1 && value.startsWith(QLatin1Char('0')))
        value.remove(0, 1);
    value.prepend(m.captured(1));
    if (!decimals.isEmpty())
        value += QLatin1Char('.') + decimals;
    // Calc reads the value in the language its number attribute names,
    // Italian here (1040), so with the comma; Excel reads it with the point.
    // The format shows as many digits as typed before and after the comma
    // ("007" stays 007, "12,50" stays 12,50) in Excel, which follows it.
    QString italian = value;
    italian.replace(QLatin1Char('.'), QLatin1Char(','));
    const QString zeros(whole.size(), QLatin1Char('0'));
    const QString places(decimals.size(), QLatin1Char('0'));
    const QString calcFormat = decimals.isEmpty() ? zeros : zeros + QLatin1Char(',') + places;
    const QString excelFormat = decimals.isEmpty() ? zeros : zeros + QStringLiteral("\\.") + places;
    return QStringLiteral(" x:num=\"%1\" sdval=\"%2\" sdnum=\"1040;0;%3\" style=\"text-align: right; "
                          "mso-number-format:'%4';\"")
        .arg(value, italian, calcFormat, excelFormat);
}

QString cellText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    appendCell(out, text);
    return out;
}

Composer::Composer(Out out, const QString& worksheetName, const std::vector<FileColumn>& columns)
    : m_out(std::move(out))
{
    for (const FileColumn& column : columns)
        m_numbers.push_back(column.number);
    m_piece.reserve(kPieceBytes + kPieceBytes / 4);
    m_text = head(worksheetName);
    m_text += QStringLiteral("<tr>");
    for (const FileColumn& column : columns) {
        m_text += QStringLiteral("<td style=\"text-align: left; font-weight: bold;\" width=")
                + QString::number(column.width) + QLatin1String(kTextFormat) + u'>' + cellText(column.header)
                + QStringLiteral("</td>");
    }
    m_text += QStringLiteral("</tr>");
    put();
}

bool Composer::addRow(const QStringList& row)
{
    m_text += QStringLiteral("<tr>");
    for (size_t c = 0; c < m_numbers.size(); ++c) {
        const QString text = int(c) < row.size() ? row.at(int(c)) : QString();
        const QString number = m_numbers[c] ? numberAttributes(text) : QString();
        if (number.isEmpty()) {
            m_text += QLatin1String("<td style=\"text-align: left;\"");
            m_text += QLatin1String(kTextFormat);
        } else {
            m_text += QLatin1String("<td");
            m_text += number;
        }
        m_text += u'>';
        appendCell(m_text, text);
        m_text += QLatin1String("</td>");
    }
    m_text += QLatin1String("</tr>");
    return put();
}

bool Composer::finish()
{
    m_text += QStringLiteral("</table></body></html>");
    return put() && flush();
}

// The markup gathered so far into bytes; a full piece goes out.
bool Composer::put()
{
    m_piece += ShortString::toWindows1252(m_text);
    m_text.resize(0);   // keeps its room for the next row
    return m_piece.size() < kPieceBytes ? m_ok : flush();
}

bool Composer::flush()
{
    if (m_ok && !m_piece.isEmpty())
        m_ok = m_out(m_piece);
    m_piece.resize(0);   // keeps its room for the next piece
    return m_ok;
}

QByteArray build(const QString& worksheetName, const std::vector<FileColumn>& columns,
                 const std::vector<QStringList>& rows)
{
    QByteArray bytes;
    Composer file([&bytes](const QByteArray& piece) {
        bytes += piece;
        return true;
    }, worksheetName, columns);
    for (const QStringList& row : rows)
        file.addRow(row);
    file.finish();
    return bytes;
}

bool writeFile(const QString& path, const QString& worksheetName, const std::vector<FileColumn>& columns,
               qint64 rows, const std::function<QStringList(qint64 row)>& row)
{
    FileWrites::Replacement target(path);
    Composer file([&target](const QByteArray& piece) { return target.write(piece); }, worksheetName, columns);
    for (qint64 i = 0; i < rows && target.ok(); ++i)
        file.addRow(row(i));
    return file.finish() && target.commit();
}

bool write(const QString& path, const QByteArray& bytes)
{
    return FileWrites::replaceFile(path, bytes);
}

} // namespace SpreadsheetExport
