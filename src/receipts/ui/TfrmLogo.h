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

    // The built-in pictures of the program's resources.
    static QImage euroPicture();    // 297 x 184, the default logo
    static QImage blankPicture();   // one white pixel: no logo

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
