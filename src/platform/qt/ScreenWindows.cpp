#include "platform/qt/ScreenWindows.h"

#include "platform/qt/Centring.h"
#include "platform/qt/Screens.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

centredWindow::centredWindow(const QString& objectName, const QString& caption, Geometry geometry)
    : m_geometry(geometry)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setAttribute(Qt::WA_StyledBackground, false);

    m_background = new QLabel(this);
    m_background->setObjectName(QStringLiteral("btnSfondo"));
    m_background->hide();

    m_panInfo = new QLabel(this);
    m_panInfo->setObjectName(QStringLiteral("panInfo"));
    m_panInfo->setAutoFillBackground(true);
    QPalette p = m_panInfo->palette();
    p.setColor(QPalette::Window, QColor(0, 0, 128));
    p.setColor(QPalette::WindowText, Qt::white);
    m_panInfo->setPalette(p);
    m_panInfo->setFixedHeight(20);

    resize(geometry.minimumOuter);
}

QFrame* centredWindow::addPanel(const QString& objectName)
{
    auto* panel = new QFrame(this);
    panel->setObjectName(objectName);
    panel->setFixedSize(contentPanelSize());
    m_panels.push_back(panel);
    placePanels();
    return panel;
}

void centredWindow::open()
{
    // Without a window manager "maximised" means nothing: cover the screen ourselves.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
    raise();
    activateWindow();
}

void centredWindow::placePanels()
{
    const QSize outer = frameGeometry().size().isValid() ? frameGeometry().size() : size();
    for (QFrame* panel : m_panels)
        panel->move(centredPanelPosition(outer, panel->size(), m_geometry.dx, m_geometry.dy));
    m_panInfo->setGeometry(0, height() - m_panInfo->height(), width(), m_panInfo->height());
}

void centredWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placePanels();
}

void centredWindow::showEvent(QShowEvent* event)
{
    // The smallest window allowed is given as an outer size; the frame is
    // known only once the window is on screen.
    const QSize frame = frameGeometry().size() - size();
    setMinimumSize(m_geometry.minimumOuter - frame);
    QWidget::showEvent(event);
    placePanels();
}

void centredWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The pattern is decoded on the first paint, not while the screens are created.
    if (m_background->pixmap().isNull())
        m_background->setPixmap(QPixmap(QStringLiteral(":/pictures/sfondo.png")));
    const QPixmap tile = m_background->pixmap();
    if (tile.isNull())
        painter.fillRect(rect(), QColor(230, 234, 242));
    else
        painter.drawTiledPixmap(rect(), tile);
}

void WorkAreaWindow::closeEvent(QCloseEvent* event)
{
    Screens::showLauncher();
    event->accept();   // a top-level window that is closed is only hidden
}

DialogScreen::DialogScreen(const QString& objectName, const QString& caption, QSize size, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setFixedSize(size);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void DialogScreen::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

QPushButton* dialogButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
}
