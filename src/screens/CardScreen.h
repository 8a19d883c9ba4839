#pragma once

#include "screens/CardForm.h"
#include "platform/Platform.h"
#include "platform/qt/ScreenWindows.h"
#include "platform/qt/Screens.h"
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

    // The New and Save buttons of the client and material cards, for what
    // drives a card without its toolbar.
    void imgNuovoClick() { newAfterAsking(); }
    void imgSalvaClick() { saveCard(); }

    // Whether the user typed, chose or imported something since the card
    // was shown, made new or saved.
    bool hasUnsavedChanges() const { return m_changed; }
    // The question asked before such a card is left.
    static QString unsavedQuestion();

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

    // A toolbar action calling a handler of the screen.
    template <class Screen>
    std::function<void()> act(void (Screen::*handler)())
    {
        Screen* screen = static_cast<Screen*>(this);
        return [screen, handler] { (screen->*handler)(); };
    }
    // The actions every card's toolbar has alike.
    std::function<void()> saveAction() { return [this] { saveCard(); }; }
    // New, after asking about the changes of the card shown.
    std::function<void()> newAction() { return [this] { newAfterAsking(); }; }
    void newAfterAsking();
    std::function<void()> exitAction() { return [this] { close(); }; }
    static std::function<void()> guideAction(const QString& title, const QString& text);
    // A window that lives for the whole run (the exports), shown modally.
    template <class Window>
    static std::function<void()> showModally()
    {
        return [] { Screens::get<Window>()->exec(); };
    }
    // A dialog on the card's hidden labels (attachments, folder).
    template <class Dialog>
    std::function<void()> runOnCard()
    {
        return [this] {
            if (Dialog::run(container()))
                markChanged();
        };
    }
    // The places of a toolbar: a column at the right with the exit alone
    // at its foot, or a row across the top.
    static QPoint toolbarColumn(int i) { return QPoint(950, 10 + 44 * i); }
    static QPoint toolbarFoot() { return QPoint(950, 646); }
    static QPoint toolbarRow(int i, int y) { return QPoint(10 + 40 * i, y); }

    QFrame* container() const { return m_container; }
    QLabel* statusBand() const { return m_status; }
    QGroupBox* addGroup(const char* name, const QString& title, const QRect& geometry);
    void addStatusBand(const QRect& geometry);
    void addButtons(const std::vector<Button>& buttons);
    // A short name shown in a tooltip over a picture button already added:
    // its status text appears down in the status bar, where a newcomer
    // seldom looks.
    struct Tip
    {
        const char* name;   // the button's objectName
        const char* tip;
    };
    void addTips(const std::vector<Tip>& tips);
    void addArrows(const Arrows& arrows);
    // The arrows centred under the panels at height y, the position between
    // them, with the hints first to last.
    void addCentredArrows(const char* first, const char* previous, const char* next, const char* last, int y)
    {
        addArrows({{first, previous, next, last}, {367, 405, 503, 541}, y, QRect(439, y, 62, 32)});
    }

    // Every opening starts from a new card (the modal tools, which do not
    // hide the window, do not count).
    void showEvent(QShowEvent* event) override;
    virtual void cardShown() { newCard(); }
    // Closing asks about the changes first; Annulla keeps the window open.
    void closeEvent(QCloseEvent* event) override;

    // A card with changes the user made and did not save asks "Salvare le
    // modifiche?" before it is left (closed, browsed away from, replaced by
    // a chosen card or a new one): Sì saves as the Save button does and goes
    // on only when the save succeeded, No drops the changes, Annulla stays.
    // True to go on.
    bool leaveCard();
    // A change the program makes for the user (an import, an attachment
    // applied), which typing would have marked.
    void markChanged() { m_changed = true; }
    // The card shown is as stored or as made new (a record loaded).
    void markUnchanged() { m_changed = false; }
    // Empties the card for a new one (its "New" button).
    virtual void newCard() = 0;

    // Tells why the card cannot be saved (captioned as every refused save)
    // and puts the focus in the field concerned.
    void refuse(const card::Refusal& refusal, platform::MessageIcon icon = platform::MessageIcon::Information);

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
    // True when the card was written.
    bool saveCard();

private:
    void watchUserEdits();

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
    bool m_changed = false;
    bool m_watching = false;
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
        markUnchanged();
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

    // The required fields of the table, in table order.
    bool readyToSave() override
    {
        const std::optional<card::Refusal> missing = m_form->missingRequired();
        if (missing)
            refuse(*missing);
        return !missing;
    }

    // A web search on what a field holds, which must not be empty: then the
    // plain message and the focus back in the field.
    std::function<void()> webSearch(const char* control, const char* emptyMessage,
                                    std::function<QString(const QString&)> url)
    {
        return [this, control, emptyMessage, url] {
            const QString value = trimmed(control);
            if (value.isEmpty()) {
                platform::current().showMessage(QString::fromUtf8(emptyMessage));
                focusOn(control);
                return;
            }
            platform::current().openUrl(url(value));
        };
    }

    // Runs a search or list modally; the card it hands back is shown with its position.
    template <class List>
    void loadChosen(List& list)
    {
        list.exec();
        if (const auto& chosen = list.chosen()) {
            if (leaveCard())
                loadRecord(chosen->record, chosen->position);
        }
    }
    // A search made afresh for each opening, told which card calls it, and a
    // list made afresh: the card chosen there is shown.
    template <class Search>
    std::function<void()> searchAction(const char* callerMark)
    {
        return [this, callerMark] {
            Search search;
            search.setCallerMark(QLatin1String(callerMark));
            loadChosen(search);
        };
    }
    // An identifier checker made afresh, modal to the card, given the
    // trimmed text of the field beside its button.
    template <class Checker>
    std::function<void()> checkAction(const char* field)
    {
        return [this, field] { Checker::run(this, trimmed(field)); };
    }
    template <class List>
    std::function<void()> listAction()
    {
        return [this] {
            List list;
            loadChosen(list);
        };
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
