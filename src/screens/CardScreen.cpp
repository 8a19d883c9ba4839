#include "screens/CardScreen.h"

#include "platform/Platform.h"
#include "platform/qt/ArchiveReports.h"
#include "platform/qt/PictureButton.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

CardScreen::CardScreen(const QString& objectName, const QString& caption, Geometry geometry)
    : WorkAreaWindow(objectName, caption, geometry)
{
    m_container = addPanel(QStringLiteral("grpContainer"));
}

qint64 CardScreen::position() const
{
    bool numeric = false;
    const qint64 p = m_position->text().trimmed().toLongLong(&numeric);
    return numeric && p > 0 ? p : 0;
}

void CardScreen::setPosition(qint64 position)
{
    if (position > 0) {
        m_position->setText(QString::number(position));
    } else {
        m_position->clear();
        m_shown.clear();
    }
}

void CardScreen::showEvent(QShowEvent* event)
{
    WorkAreaWindow::showEvent(event);
    if (!m_watching) {
        watchUserEdits();
        m_watching = true;
    }
    if (!event->spontaneous()) {
        cardShown();
        m_changed = false;
    }
}

void CardScreen::closeEvent(QCloseEvent* event)
{
    if (!leaveCard()) {
        event->ignore();
        return;
    }
    WorkAreaWindow::closeEvent(event);
}

// What the user does to a field marks the card changed; what the program
// puts in a field (a record shown, totals computed, defaults) does not.
void CardScreen::watchUserEdits()
{
    for (QLineEdit* edit : m_container->findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textEdited, this, &CardScreen::markChanged);
    for (QAbstractButton* box : m_container->findChildren<QAbstractButton*>())
        connect(box, &QAbstractButton::clicked, this, [this, box] {
            if (box->isCheckable())
                markChanged();
        });
    for (QComboBox* list : m_container->findChildren<QComboBox*>())
        connect(list, &QComboBox::activated, this, &CardScreen::markChanged);
}

bool CardScreen::leaveCard()
{
    if (!m_changed)
        return true;
    switch (platform::current().askYesNoCancel(platform::applicationTitle(), unsavedQuestion())) {
    case platform::Platform::Answer::Yes:
        return saveCard();
    case platform::Platform::Answer::No:
        m_changed = false;
        return true;
    case platform::Platform::Answer::Cancel:
        break;
    }
    return false;
}

QString CardScreen::unsavedQuestion()
{
    return QStringLiteral("Salvare le modifiche?");
}

void CardScreen::newAfterAsking()
{
    if (!leaveCard())
        return;
    newCard();
    m_changed = false;
}

std::function<void()> CardScreen::guideAction(const QString& title, const QString& text)
{
    return [title, text] { Screens::showGuide(title, text); };
}

void CardScreen::refuse(const card::Refusal& refusal, platform::MessageIcon icon)
{
    platform::current().showTaskMessage(QStringLiteral("Salvataggio scheda non applicabile"), refusal.message, icon);
    if (QWidget* field = m_container->findChild<QWidget*>(refusal.control))
        field->setFocus();
}

QGroupBox* CardScreen::addGroup(const char* name, const QString& title, const QRect& geometry)
{
    auto* box = new QGroupBox(title, m_container);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    // Only the title is bold: the controls inside set their own fonts.
    QFont f = box->font();
    f.setBold(true);
    box->setFont(f);
    return box;
}

void CardScreen::addStatusBand(const QRect& geometry)
{
    m_status = new QLabel(m_container);
    m_status->setObjectName(QStringLiteral("lblStato"));
    m_status->setGeometry(geometry);
    m_status->setAutoFillBackground(true);
    m_status->setIndent(6);
    QPalette band = m_status->palette();
    band.setColor(QPalette::Window, QColor(0, 128, 128));
    band.setColor(QPalette::WindowText, Qt::white);
    m_status->setPalette(band);
    QFont f = m_status->font();
    f.setBold(true);
    m_status->setFont(f);
}

void CardScreen::addButtons(const std::vector<Button>& buttons)
{
    for (const Button& b : buttons) {
        QWidget* parent = b.panel ? m_container->findChild<QWidget*>(QLatin1String(b.panel)) : m_container;
        auto* button = new PictureButton(QLatin1String(b.name),
                                         QStringLiteral(":/pictures/%1.png").arg(QLatin1String(b.picture)),
                                         QString::fromUtf8(b.hint), parent);
        button->move(b.at);
        const std::function<void()> act = b.act;
        connect(button, b.onRelease ? &PictureButton::released : &PictureButton::clicked, this, [act] { act(); });
    }
}

void CardScreen::addTips(const std::vector<Tip>& tips)
{
    for (const Tip& t : tips) {
        auto* button = m_container->findChild<PictureButton*>(QLatin1String(t.name));
        Q_ASSERT_X(button, "CardScreen::addTips", t.name);
        if (button)
            button->setToolTip(QString::fromUtf8(t.tip));
    }
}

void CardScreen::addArrows(const Arrows& arrows)
{
    static const char* const names[4] = {"imgPrimo", "imgIndietro", "imgAvanti", "imgUltimo"};
    static const char* const pictures[4] = {"btn_primo", "btn_indietro", "btn_avanti", "btn_ultimo"};
    static const BrowseCommand commands[4] = {BrowseCommand::First, BrowseCommand::Previous, BrowseCommand::Next,
                                              BrowseCommand::Last};
    std::vector<Button> buttons;
    for (int i = 0; i < 4; ++i) {
        const BrowseCommand command = commands[i];
        buttons.push_back({names[i], pictures[i], arrows.hints[i], QPoint(arrows.x[i], arrows.y),
                           [this, command] { browse(command); }, true});
    }
    addButtons(buttons);

    m_position = new QLabel(m_container);
    m_position->setObjectName(QStringLiteral("lblPosizione"));
    m_position->setGeometry(arrows.positionLabel);
    m_position->setAlignment(Qt::AlignCenter);
    QFont f = m_position->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    m_position->setFont(f);
}

void CardScreen::browse(BrowseCommand command)
{
    if (!leaveCard())
        return;
    ArchiveFile file = archive();
    const BrowseResult r = browseArchive(file, command, position());
    switch (r.outcome) {
    case BrowseResult::Outcome::Record:
        showRecord(r.record, r.position);
        break;
    case BrowseResult::Outcome::EmptyArchive:
        if (r.clearPosition)
            setPosition(0);
        platform::current().showTaskMessage(emptyArchiveCaption(), emptyArchiveMessage(),
                                            platform::MessageIcon::Information);
        break;
    case BrowseResult::Outcome::Failed:
        reportArchiveFailure();
        break;
    case BrowseResult::Outcome::Nothing:
        break;
    }
}

bool CardScreen::saveCard()
{
    if (!readyToSave())
        return false;
    ArchiveFile file = archive();
    qint64 records = 0;
    if (!file.count(records)) {
        reportArchiveFailure();
        return false;
    }
    const qint64 shown = position();
    const bool update = shown > 0;
    // The status line is written before the record, and stays even if the
    // write fails; a save the user declines puts the old one back.
    const QString statusBefore = m_status ? m_status->text() : QString();
    if (m_status)
        m_status->setText(saveStatus(update));
    const QByteArray record = recordToSave();
    const SaveTexts texts = saveTexts();
    platform::Platform& p = platform::current();
    if (update) {
        QByteArray written;
        switch (overwriteShown(file, shown, record, written)) {
        case Overwrite::Declined:
            if (m_status)
                m_status->setText(statusBefore);
            return false;
        case Overwrite::Failed:
            reportArchiveFailure();
            return false;
        case Overwrite::Written:
            break;
        }
        // What another workstation changed and this save kept is shown.
        if (written != record)
            showRecord(written, shown);
        rememberShown(comparable(written));
        m_changed = false;
        p.showTaskMessage(texts.updateCaption, texts.updateText, platform::MessageIcon::Information);
        return true;
    }
    const AppendCheck check = appendCheck();
    qint64 appended = 0;
    ArchiveFile::Appended outcome = check.test ? file.appendUnless(record, check, appended)
                                               : (file.append(record, appended) ? ArchiveFile::Appended::Done
                                                                                : ArchiveFile::Appended::Failed);
    if (outcome == ArchiveFile::Appended::Vetoed) {
        if (!appendDespiteClash())
            return false;
        outcome = file.append(record, appended) ? ArchiveFile::Appended::Done : ArchiveFile::Appended::Failed;
    }
    if (outcome != ArchiveFile::Appended::Done) {
        reportArchiveFailure();
        return false;
    }
    setPosition(appended);
    rememberShown(comparable(record));
    m_changed = false;
    p.showTaskMessage(texts.insertCaption, texts.insertText, platform::MessageIcon::Information);
    return true;
}

CardScreen::Overwrite CardScreen::overwriteShown(ArchiveFile& file, qint64 position, const QByteArray& record,
                                                 QByteArray& written)
{
    // The card on disk as this screen last knew it; once the user has said
    // to overwrite a change made elsewhere, the card as changed there.
    QByteArray expected = m_shown;
    for (;;) {
        QByteArray changedTo;
        const ArchiveFile::Changed outcome = file.change(position, [&](QByteArray& stored) {
            const QByteArray now = comparable(stored);
            written = record;
            if (expected.isEmpty() || now == expected || keepChangedElsewhere(expected, now, written)) {
                stored = written;
                return true;
            }
            changedTo = now;
            return false;
        });
        if (outcome == ArchiveFile::Changed::Done)
            return Overwrite::Written;
        if (outcome != ArchiveFile::Changed::Kept)
            return Overwrite::Failed;
        // Never while the archive is locked: the question waits for the user.
        if (!platform::current().askYesNo(changedElsewhereCaption(), changedElsewhereQuestion()))
            return Overwrite::Declined;
        expected = changedTo;
    }
}
