#include "screens/LinkedPathsDialog.h"

#include "platform/qt/FieldColours.h"
#include "platform/Platform.h"
#include "platform/qt/KeyFilters.h"
#include "storage/ClientRecord.h"
#include "storage/MaterialRecord.h"
#include "storage/ShortString.h"
#include "storage/TextRules.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Geometry, in pixels, of a dialog 640 wide: the instructions on top, then
// one block of rows 100 pixels high, then "Applica e chiudi" at the right.
constexpr int kWidth = 640;
constexpr int kMargin = 16;
constexpr int kInstructionTop = 14;
constexpr int kInstructionPitch = 20;
constexpr int kRowsTop = 86;
constexpr int kRowPitch = 100;
constexpr int kPathWidth = 420;
constexpr int kButtonWidth = 84;

// The characters the cards keep of an attached file's or folder's path.
constexpr int kPathCapacity = TRecCliente::posFile01.capacity;
static_assert(TRecCliente::posCartella.capacity == kPathCapacity
                  && TRecMateriale::posFile01.capacity == kPathCapacity
                  && TRecMateriale::posCartella.capacity == kPathCapacity,
              "client and material cards keep paths alike");

QSize dialogSize(std::size_t rows)
{
    return QSize(kWidth, kRowsTop + int(rows) * kRowPitch + 6 + 30 + kMargin);
}

QLabel* findCardLabel(QWidget* card, const QString& name)
{
    return card ? card->findChild<QLabel*>(name) : nullptr;
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* label = makeControl<QLabel>(parent, name, text);
    label->setGeometry(geometry);
    return label;
}

QString twoDigits(std::size_t n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

LinkedPathsDialog::LinkedPathsDialog(const QString& objectName, const QString& caption, QWidget* card,
                                     const QStringList& instructions, const std::vector<RowSpec>& rows)
    : DialogScreen(objectName, caption, dialogSize(rows.size()))
    , m_card(card)
{
    // Only a close box: no minimise, maximise or help buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    addInstructions(instructions);
    for (std::size_t i = 0; i < rows.size(); ++i)
        m_rows.push_back(addRow(rows[i], int(i)));

    const int applyTop = kRowsTop + int(rows.size()) * kRowPitch + 6;
    QPushButton* cmdApplica = addButton(QStringLiteral("cmdApplica"), QStringLiteral("Applica e chiudi"),
                                        QRect(kWidth - kMargin - 150, applyTop, 150, 30));
    connect(cmdApplica, &QPushButton::clicked, this, &LinkedPathsDialog::cmdApplicaClick);
}

void LinkedPathsDialog::addInstructions(const QStringList& instructions)
{
    for (int i = 0; i < instructions.size(); ++i) {
        addLabel(this, QStringLiteral("lblIstruzioni%1").arg(i + 1), instructions[i],
                 QRect(kMargin, kInstructionTop + i * kInstructionPitch, kWidth - 2 * kMargin, kInstructionPitch));
    }
}

LinkedPathsDialog::Row LinkedPathsDialog::addRow(const RowSpec& spec, int index)
{
    const std::size_t row = std::size_t(index);
    const QString nn = twoDigits(row + 1);
    const int top = kRowsTop + index * kRowPitch;
    const int buttonsLeft = kMargin + kPathWidth + 10;

    // Created in tab order: path, Sfoglia..., Apri, description.
    addLabel(this, QStringLiteral("lblPercorso") + nn, spec.pathCaption, QRect(kMargin, top, kPathWidth, 18));
    auto* txtFile = makeControl<QLineEdit>(this, QStringLiteral("txtFile") + nn);
    txtFile->setGeometry(kMargin, top + 20, kPathWidth, 24);
    // The path is never typed: it comes from the chooser and goes with Backspace.
    txtFile->setReadOnly(true);
    FieldColours::install(txtFile, FieldColours::restGreen());
    QPalette red = txtFile->palette();
    red.setColor(QPalette::Text, Qt::red);
    txtFile->setPalette(red);
    txtFile->installEventFilter(this);

    QPushButton* cmdSfoglia = addButton(QStringLiteral("cmdSfoglia") + nn, QStringLiteral("Sfoglia..."),
                                        QRect(buttonsLeft, top + 19, kButtonWidth, 26));
    QPushButton* cmdApri = addButton(QStringLiteral("cmdApri") + nn, QStringLiteral("Apri"),
                                     QRect(buttonsLeft + kButtonWidth + 10, top + 19, kButtonWidth, 26));
    cmdApri->setEnabled(false);

    addLabel(this, QStringLiteral("lblDescrizione") + nn, QStringLiteral("Descrizione"),
             QRect(kMargin, top + 50, kPathWidth, 18));
    auto* txtDesc = makeControl<QLineEdit>(this, QStringLiteral("txtDesc") + nn);
    txtDesc->setGeometry(kMargin, top + 70, kWidth - 2 * kMargin, 24);
    QFont bold = txtDesc->font();
    bold.setBold(true);
    txtDesc->setFont(bold);
    FieldColours::install(txtDesc, FieldColours::restGreen());
    KeyFilters::savedTextOnly(txtDesc, [] { platform::current().showMessage(KeyFilters::unsavedCharacterMessage()); });

    // Every change of the path, typed or written by the program, decides "Apri".
    connect(txtFile, &QLineEdit::textChanged, this, [this, row] { updateApri(row); });
    connect(cmdSfoglia, &QPushButton::clicked, this, [this, row] { cmdSfogliaClick(row); });
    connect(cmdApri, &QPushButton::clicked, this, [this, row] { cmdApriClick(row); });
    return Row{spec, txtFile, txtDesc, cmdSfoglia, cmdApri};
}

QPushButton* LinkedPathsDialog::addButton(const QString& name, const QString& text, const QRect& geometry)
{
    auto* button = makeControl<QPushButton>(this, name, text);
    button->setGeometry(geometry);
    // Enter in a field must not press a button behind the user's back
    // (apply and close, or open a chooser): no button is ever the default.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

int LinkedPathsDialog::pathCapacity()
{
    return kPathCapacity;
}

QString unsavablePathMessage()
{
    return QStringLiteral("Attenzione: il percorso scelto contiene caratteri che non possono essere salvati nella "
                          "scheda. Rinominare il file o la cartella e ripetere la scelta.");
}

void LinkedPathsDialog::loadFromCard()
{
    for (const Row& row : m_rows) {
        const QLabel* path = findCardLabel(m_card, row.spec.cardPathLabel);
        const QLabel* desc = findCardLabel(m_card, row.spec.cardDescLabel);
        row.txtFile->setText(path ? TextRules::trim(path->text()) : QString());
        row.txtDesc->setText(desc ? TextRules::trim(desc->text()) : QString());
    }
}

void LinkedPathsDialog::cmdApplicaClick()
{
    for (const Row& row : m_rows) {
        if (QLabel* path = findCardLabel(m_card, row.spec.cardPathLabel))
            path->setText(TextRules::trim(row.txtFile->text()));
        if (QLabel* desc = findCardLabel(m_card, row.spec.cardDescLabel))
            desc->setText(TextRules::trim(row.txtDesc->text()));
    }
    accept();
}

void LinkedPathsDialog::cmdSfogliaClick(std::size_t row)
{
    const QString chosen = choosePath();
    if (TextRules::trim(chosen).isEmpty())
        return;   // cancelled (no chooser confirms a blank path): the path in place stays
    // A path the archive cannot hold would be saved as another path.
    if (!ShortString::isWindows1252(chosen)) {
        platform::current().showMessage(unsavablePathMessage());
        return;
    }
    // So would a longer path than the card's field keeps, cut when saved.
    if (TextRules::trim(chosen).size() > kPathCapacity) {
        platform::current().showMessage(overlongPathMessage());
        return;
    }
    platform::BusyCursor busy;
    m_rows[row].txtFile->setText(chosen);
}

void LinkedPathsDialog::cmdApriClick(std::size_t row)
{
    const QString path = TextRules::trim(m_rows[row].txtFile->text());
    if (path.isEmpty())
        return;
    platform::BusyCursor busy;
    openPath(path);
}

void LinkedPathsDialog::updateApri(std::size_t row)
{
    const Row& r = m_rows[row];
    r.cmdApri->setEnabled(!TextRules::trim(r.txtFile->text()).isEmpty());
}

bool LinkedPathsDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Backspace in a path field removes the attachment; its description stays.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace) {
        for (const Row& row : m_rows) {
            if (watched == row.txtFile) {
                row.txtFile->clear();
                return true;
            }
        }
    }
    return DialogScreen::eventFilter(watched, event);
}
