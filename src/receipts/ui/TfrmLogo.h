#pragma once

#include "platform/qt/ScreenWindows.h"

#include <QImage>

class QLabel;

// Chooses the company logo printed on receipts: a bitmap, the built-in euro
// symbol or no logo at all, written to Logo.bmp when applied.
class TfrmLogo : public DialogScreen
{
    Q_OBJECT
public:
    TfrmLogo();

    // The built-in euro symbol, 297 x 184, the default logo. The blank
    // picture that stands for no logo is the printed receipt's own.
    static QImage euroPicture();
    // What the dialog says when Logo.bmp cannot be written; it stays open.
    static QString unwritableMessage();

    // The picture the preview shows, as it will be written.
    const QImage& picture() const { return m_picture; }

    void cmdFotoClick();
    void imgCancellaMouseUp();
    void imgEuroMouseUp();
    void cmdApplicaClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void preview(const QImage& picture);

    QLabel* imgFoto;
    QImage m_picture;
};
