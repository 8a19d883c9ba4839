#pragma once

#include "platform/qt/ScreenWindows.h"

class PictureButton;
class QLabel;
class QMovie;
class QBuffer;

// The launcher: four tiles lead to the client archive, the warehouse, the
// receipts and the price list. Closing it ends the program.
class TfrmAvvio : public centredWindow
{
    Q_OBJECT
public:
    TfrmAvvio();
    ~TfrmAvvio() override;

    void showLauncher();

    void btnDipendentiClick();
    void btnContattiClick();
    void btnTitolarioClick();
    void btnProtocolloClick();
    void imgGuidaClick();
    void imgInfoClick();
    void imgCopyrightClick();
    void imgEsciClick();
    void lblWebClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void loadAnimation();

    QFrame* grpContainer;
    QLabel* imgAnimata;
    std::unique_ptr<QBuffer> m_animationData;
    std::unique_ptr<QMovie> m_animation;
};
