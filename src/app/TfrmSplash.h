#pragma once

#include "launcher/SplashMotion.h"
#include "platform/qt/ScreenWindows.h"

#include <memory>

class QTimer;

// The splash screen shown from the launcher's copyright button: sprites
// drift over a background picture; a click anywhere opens the maker's web
// page and closes it.
class TfrmSplash : public DialogScreen
{
    Q_OBJECT
public:
    TfrmSplash();
    ~TfrmSplash() override;

    // Reads the sprite from a BMP file and starts the animation afresh; a
    // picture that is neither 8 nor 24 bits per pixel is refused with a
    // message and leaves the sprite empty.
    void loadSprite(const QByteArray& bmp);

    // One step of the animation, as the timer gives it.
    void timerTick();

    const SplashMotion::Animation& animation() const { return *m_animation; }
    const QTimer* timer() const { return m_timer; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_background;
    std::unique_ptr<SplashMotion::Animation> m_animation;
    QTimer* m_timer;
};
