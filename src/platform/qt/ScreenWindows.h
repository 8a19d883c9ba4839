#pragma once

#include <QDialog>
#include <QFrame>
#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;

// A full-screen window with a fixed-size content panel kept centred, the
// tiled background and the navy status bar panInfo: the launcher and the
// four work areas.
class centredWindow : public QWidget
{
    Q_OBJECT
public:
    struct Geometry
    {
        int dx;
        int dy;
        QSize minimumOuter;
    };

    centredWindow(const QString& objectName, const QString& caption, Geometry geometry);

    // A 995 × 688 panel kept centred in the window.
    QFrame* addPanel(const QString& objectName);
    QLabel* statusBar() const { return m_panInfo; }
    // Shows maximised and in front.
    void open();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void placePanels();

    Geometry m_geometry;
    std::vector<QFrame*> m_panels;
    QLabel* m_background;   // btnSfondo: the hidden holder of the background pattern
    QLabel* m_panInfo;
};

// A work area: closing it by any means shows the launcher again and hides it;
// it is never destroyed before the program ends.
class WorkAreaWindow : public centredWindow
{
    Q_OBJECT
public:
    using centredWindow::centredWindow;

protected:
    void closeEvent(QCloseEvent* event) override;
};

// A fixed-size dialog centred on the desktop.
class DialogScreen : public QDialog
{
    Q_OBJECT
public:
    DialogScreen(const QString& objectName, const QString& caption, QSize size, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

// A push button of a dialog, named, captioned and placed; Enter in a field
// never presses it.
QPushButton* dialogButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry);

// Names every screen's controls the same way: objectName is the control's name.
template <class W, class... Args>
W* makeControl(QWidget* parent, const QString& name, Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(name);
    return w;
}
