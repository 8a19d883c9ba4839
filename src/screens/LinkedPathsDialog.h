#pragma once

#include "platform/qt/ScreenWindows.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <vector>

class QEvent;
class QLineEdit;
class QPushButton;

// What the attached-files and the linked-folder dialogs share: rows made of a
// read-only path with its description and the buttons "Sfoglia..." and
// "Apri", and the button "Applica e chiudi", the only way back into the card.
//
// The card is the screen that opened the dialog; it holds the values in
// hidden labels and saves them with the rest of the card. The dialog never
// touches an archive.
// The plain message when the chosen file or folder has characters in its
// path that the card cannot save.
QString unsavablePathMessage();

class LinkedPathsDialog : public DialogScreen
{
    Q_OBJECT
public:
    // One row of the dialog and the two card labels it stands for.
    struct RowSpec
    {
        QString pathCaption;        // "File allegato 1", "Cartella associata"
        QString cardPathLabel;      // "lblFile01", "lblCartella"
        QString cardDescLabel;      // "lblDesc01", "lblCartellaDesc"
    };

    // Fills every row from the card's hidden labels, trimmed.
    void loadFromCard();
    // Writes every row back into the card's hidden labels, trimmed, and closes.
    void cmdApplicaClick();

    QWidget* card() const { return m_card; }

protected:
    LinkedPathsDialog(const QString& objectName, const QString& caption, QWidget* card,
                      const QStringList& instructions, const std::vector<RowSpec>& rows);

    // Asks the user for a path; empty when the user cancels.
    virtual QString choosePath() = 0;
    // Hands a path to the shell. A missing target or a shell failure is not
    // reported: the shell shows its own complaint, if any.
    virtual void openPath(const QString& path) = 0;
    // The plain message when the chosen path is longer than the
    // pathCapacity() characters the card keeps: it says whether a file or a
    // folder was chosen, and what to do about it.
    virtual QString overlongPathMessage() const = 0;
    static int pathCapacity();

    // Opens a fresh dialog on card, modally, and destroys it once it closes;
    // true when "Applica e chiudi" wrote the card's labels.
    template <class Dialog>
    static bool runOn(QWidget* card)
    {
        Dialog dialog(card);
        dialog.loadFromCard();
        return dialog.exec() == QDialog::Accepted;
    }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row
    {
        RowSpec spec;
        QLineEdit* txtFile;
        QLineEdit* txtDesc;
        QPushButton* cmdSfoglia;
        QPushButton* cmdApri;
    };

    void addInstructions(const QStringList& instructions);
    Row addRow(const RowSpec& spec, int index);
    QPushButton* addButton(const QString& name, const QString& text, const QRect& geometry);
    void cmdSfogliaClick(std::size_t row);
    void cmdApriClick(std::size_t row);
    void updateApri(std::size_t row);

    // The card may go away while the dialog is open (the program ends).
    QPointer<QWidget> m_card;
    std::vector<Row> m_rows;
};
