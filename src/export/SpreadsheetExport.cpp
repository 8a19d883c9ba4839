#include "export/SpreadsheetExport.h"

#include "storage/FileWrites.h"
#include "storage/ShortString.h"


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

QString cellText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'&')
            out += QStringLiteral("&amp;");
        else if (c == u'<')
            out += QStringLiteral("&lt;");
        else if (c == u'>')
            out += QStringLiteral("&gt;");
        else
            out += c;
    }
    return out;
}

QByteArray build(const QString& worksheetName, const std::vector<FileColumn>& columns,
                 const std::vector<QStringList>& rows)
{
    QString text = head(worksheetName);

    text += QStringLiteral("<tr>");
    for (const FileColumn& column : columns) {
        text += QStringLiteral("<td style=\"text-align: left; font-weight: bold;\" width=")
              + QString::number(column.width) + QStringLiteral(">") + cellText(column.header)
              + QStringLiteral("</td>");
    }
    text += QStringLiteral("</tr>");

    for (const QStringList& row : rows) {
        text += QStringLiteral("<tr>");
        for (int c = 0; c < int(columns.size()); ++c) {
            const QString value = c < row.size() ? row.at(c) : QString();
            text += QStringLiteral("<td style=\"text-align: left;\">") + cellText(value) + QStringLiteral("</td>");
        }
        text += QStringLiteral("</tr>");
    }

    text += QStringLiteral("</table></body></html>");
    return ShortString::toWindows1252(text);
}

bool write(const QString& path, const QByteArray& bytes)
{
    return FileWrites::replaceFile(path, bytes);
}

} // namespace SpreadsheetExport
