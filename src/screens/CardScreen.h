#pragma once

#include "screens/CardForm.h"
#include "platform/qt/ScreenWindows.h"
#include "storage/ArchiveFile.h"
#include "storage/Browse.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class PictureButton;

// What the card work areas share (the client card, the material card, the
// receipt editor): the container panel, the status band, a toolbar of
// picture buttons built from a table, the position label between the four
// browse arrows, and the New, Save and browse flows. A screen adds its field
// table (card::Form) and fills the hooks with what is its own.
class CardScreen : public WorkAreaWindow
{
    Q_OBJECT
public:
    CardScreen(const QString& objectName, const QString& caption, Geometry geometry);

    // The 1-based position of the card shown; 0 for a new card.
    qint64 position() const;
    // Shows a position; 0 clears the label (a new card).
    void setPosition(qint64 position);

    void browse(BrowseCommand command);

protected:
    // One picture button of a toolbar. A button acts on a click (press and
    // release over it) unless onRelease, when any release over it acts.
    struct Button
    {
        const char* name;
        const char* picture;   // resource name below :/pictures, without ".png"
        const char* hint;
        QPoint at;
        std::function<void()> act;
        bool onRelease = false;
        const char* panel = nullptr;   // objectName of the group it sits in; nullptr: the container
    };
    // The four arrows and their hints, first to last.
    struct Arrows
    {
        const char* hints[4];
        int x[4];
        int y;
        QRect positionLabel;
    };
    // The texts of the two boxes that close a successful save.
    struct SaveTexts
    {
        QString updateCaption = QStringLiteral("Aggiornamento scheda effettuato con successo");
        QString updateText = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
        QString insertCaption = QStringLiteral("Salvataggio scheda effettuato con successo");
        QString insertText = QStringLiteral("La scheda corrente è stata inserita in archivio.");
    };

    QFrame* container() const { return m_container; }
    QLabel* statusBand() const { return m_status; }
    QGroupBox* addGroup(const char* name, const QString& title, const QRect& geometry);
    void addStatusBand(const QRect& geometry);
    void addButtons(const std::vector<Button>& buttons);
    void addArrows(const Arrows& arrows);

    // The archive of the cards shown here.
    virtual ArchiveFile archive() const = 0;
    // Shows a record read by browsing, with its position.
    virtual void showRecord(const QByteArray& record, qint64 position) = 0;
    // False, after telling the user why, when the card cannot be saved as it stands.
    virtual bool readyToSave() = 0;
    // The status line of a save, for a screen with a status band.
    virtual QString saveStatus(bool update) const { Q_UNUSED(update); return QString(); }
    // The record Save writes (with the status line just set).
    virtual QByteArray recordToSave() const = 0;
    virtual SaveTexts saveTexts() const { return SaveTexts(); }
    // A new card that clashes with a record of the archive (the receipt
    // editor: its number already taken), told by one field of each record.
    // The look and the append are one step under the archive's lock; on a
    // clash nothing is written and the user is asked.
    using AppendCheck = ArchiveFile::FieldTest;   // an empty test: nothing to check
    virtual AppendCheck appendCheck() const { return {}; }
    // Asked after a clash; true appends the card all the same.
    virtual bool appendDespiteClash() { return false; }

    // The stored bytes of a card in the form a save writes them (every field
    // trimmed, nothing after the texts), so that a card shown and the same
    // card on disk compare equal.
    virtual QByteArray comparable(const QByteArray& stored) const = 0;
    // The card as shown: loaded or saved last, in comparable form; Save
    // compares it with the stored card to tell whether another workstation
    // changed it since. Empty for a new card.
    void rememberShown(const QByteArray& record) { m_shown = record; }
    // A stored card another workstation changed after it was shown here, in
    // a way this card takes over without asking (the material card: a stock
    // lowered by imports while the stock was not edited here). True with
    // record made to keep what changed elsewhere; false asks the user.
    virtual bool keepChangedElsewhere(const QByteArray& shown, const QByteArray& stored, QByteArray& record) const
    {
        Q_UNUSED(shown); Q_UNUSED(stored); Q_UNUSED(record);
        return false;
    }

    // Save: the checks of the screen, the archive opened (or created) first
    // so that a failed open changes nothing, the status line, then the
    // record written over the card shown or appended after the last one.
    // A stored card that another workstation changed since it was shown is
    // never overwritten silently: the screen may keep the change, or the
    // user is asked; "No" writes nothing and leaves the card as typed.
    void saveCard();

private:
    // Writes record over the card at position, as Save does, unless another
    // workstation changed the card since it was shown and the user declines
    // to overwrite it; written receives the bytes written (record, or what
    // keepChangedElsewhere made of it).
    enum class Overwrite { Written, Declined, Failed };
    Overwrite overwriteShown(ArchiveFile& file, qint64 position, const QByteArray& record, QByteArray& written);

    QFrame* m_container;
    QLabel* m_status = nullptr;
    QLabel* m_position = nullptr;
    QByteArray m_shown;
};

// A card screen whose card is one record shown by a card::Form table: what
// the client card and the material card do alike with it. Browsing and the
// lists that hand a chosen card back load it; Save and the printouts take
// the record as the card stands.
template <class Record>
class RecordCardScreen : public CardScreen
{
public:
    using CardScreen::CardScreen;

    const card::Form<Record>& form() const { return *m_form; }

    // Fills every control from a record and shows its position.
    virtual void loadRecord(const Record& record, qint64 position)
    {
        m_form->load(record);
        setPosition(position);
        rememberShown(record.encode());
    }
    // The record Save would write from the card as it stands.
    virtual Record currentRecord() const { return m_form->record(); }

protected:
    void makeForm(std::vector<card::Field<Record>> table)
    {
        m_form = std::make_unique<card::Form<Record>>(container(), std::move(table));
    }
    QString trimmed(const char* control) const { return m_form->trimmed(QLatin1String(control)); }
    void focusOn(const char* control) { m_form->widget(QLatin1String(control))->setFocus(); }

    // Runs a search or list modally; the card it hands back is shown with its position.
    template <class List>
    void loadChosen(List& list)
    {
        list.exec();
        if (const auto& chosen = list.chosen())
            loadRecord(chosen->record, chosen->position);
    }
    // The values of a record by the names of the controls that show them, for a printout.
    std::function<QString(const QString&)> printValues(const Record& record) const
    {
        return card::Form<Record>::valuesOf(m_form->table(), record);
    }

    void showRecord(const QByteArray& record, qint64 position) override
    {
        loadRecord(Record::decode(record), position);
    }
    QByteArray recordToSave() const override { return currentRecord().encode(); }
    QByteArray comparable(const QByteArray& stored) const override { return Record::decode(stored).encode(); }

    std::unique_ptr<card::Form<Record>> m_form;
};
