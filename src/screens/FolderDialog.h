#pragma once

#include "screens/LinkedPathsDialog.h"

// The one folder linked to a card, with its description, opened in the file
// manager. The client and the material versions differ only in the card
// they are given.
class FolderDialog : public LinkedPathsDialog
{
    Q_OBJECT
protected:
    FolderDialog(const QString& objectName, QWidget* card);

    QString choosePath() override;
    void openPath(const QString& path) override;
    QString overlongPathMessage() const override;
};
