#pragma once

#include "receipts/ReceiptSettings.h"
#include "storage/ClientRecord.h"
#include "storage/MaterialRecord.h"
#include "storage/ReceiptRecord.h"
#include "storage/TextRules.h"

#include <QString>

#include <vector>

// What the receipt editor moves between its card and the other records:
// each table binds receipt fields by member, so the editor shows whatever a
// row names through its own field table and never lists controls twice.
namespace ReceiptCard {

using Text = QString TRecRicevuta::*;

// A receipt field filled from a field of another record by an import.
template <class From>
struct Fill
{
    Text to;
    QString From::*from;
};

// The client block and the payment terms from a client card.
const std::vector<Fill<TRecCliente>>& clientImport();
// The appliance from a material card.
const std::vector<Fill<TRecMateriale>>& applianceImport();

// The fields an import fills, each from its source trimmed; nothing else changes.
template <class From>
void importInto(TRecRicevuta& receipt, const From& from, const std::vector<Fill<From>>& fills)
{
    for (const Fill<From>& f : fills)
        receipt.*f.to = TextRules::trim(from.*f.from);
}

// A key of the company settings and the receipt field it fills. The bank
// sits outside the company group: the editor's clearing leaves it.
struct Setting
{
    Text field;
    QString ReceiptSettings::Company::*key;
    bool companyGroup;
};
const std::vector<Setting>& companySettings();

// The settings into the receipt's company fields and bank; the others stay.
void settingsInto(const ReceiptSettings::Company& company, TRecRicevuta& receipt);
// The settings as the receipt holds them, trimmed.
ReceiptSettings::Company settingsOf(const TRecRicevuta& receipt);

// One check of Save, in the order they are made; the first failing one
// refuses the receipt, pointing back at its field.
struct SaveCheck
{
    Text field;
    const char* message;
    bool (*passes)(const QString& trimmed);
};
const std::vector<SaveCheck>& saveChecks();
// The first check the receipt fails; nullptr when it can be saved.
const SaveCheck* failedSaveCheck(const TRecRicevuta& receipt);

} // namespace ReceiptCard
