#pragma once

#include "platform/PrintCanvas.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

// What a list screen tells the printed list report about itself.
struct ListReportSpec
{
    QString title;        // one line
    int ruleLength = 21;  // N hyphens above and below the title
    bool totals = false;  // the three receipt summaries
    QString totNetto, totIva, totale;   // texts of lblTotNetto, lblTotIva, lblTotale (trimmed when printed)
    QString question = QStringLiteral("Si vuole stampare il presente elenco?");
};

// "Stampa eseguita in data dd/mm/yyyy alle ore hh:mm:ss"
QString ListReportStampLine(const QDate& today, const QTime& now);

// Lays one copy of the report out on an open landscape canvas in printer
// pixels: rule, title, rule, the lines with page breaks, and the closing
// block (plain, or with the three totals) ending with stampLine.
void ComposeListReport(platform::PrintCanvas& canvas, const QStringList& lines, const ListReportSpec& spec,
                       const QString& stampLine);
