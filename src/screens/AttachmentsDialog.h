#pragma once

#include "screens/LinkedPathsDialog.h"

// Up to three files attached to a card, each with its description, opened
// with the program their type is associated with. The client and the
// material versions differ only in the card they are given.
class AttachmentsDialog : public LinkedPathsDialog
{
    Q_OBJECT
protected:
    AttachmentsDialog(const QString& objectName, QWidget* card);

    QString choosePath() override;
    void openPath(const QString& path) override;
    QString overlongPathMessage() const override;
};
