#pragma once

#include <QLabel>

// A decorative picture. The file is decoded when the picture is first shown,
// so creating the screens at start stays quick; its size is known at once.
class Picture : public QLabel
{
    Q_OBJECT
public:
    Picture(const QString& objectName, const QString& picture, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString m_file;
};

// A picture that acts as a button: it never takes the focus, shows its
// one-line description in the window's status bar (panInfo) while the mouse
// rests on it, and reports clicks (press and release inside it) and releases.
class PictureButton : public Picture
{
    Q_OBJECT
public:
    PictureButton(const QString& objectName, const QString& picture, const QString& hint, QWidget* parent);

    QString hint() const { return m_hint; }
    void setHint(const QString& hint) { m_hint = hint; }

signals:
    void clicked();    // pressed and released over the picture
    void released();   // a button released over the picture

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showHint(const QString& text);

    QString m_hint;
    bool m_pressed = false;
};
