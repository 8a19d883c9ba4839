#include "ScreenFixture.h"

#include "app/Startup.h"
#include "platform/qt/ScreenWindows.h"

#include <QTest>

ScreenFixture::ScreenFixture() : m_fake(std::make_unique<FakePlatform>())
{
    CreateScreens();
}

ScreenFixture::~ScreenFixture() = default;

void ScreenFixture::beginTest()
{
    m_dir = std::make_unique<TempAppDir>();
    m_fake->clear();
    m_fake->fixedToday = QDate(2024, 3, 5);
    m_fake->fixedNow = QTime(14, 30, 15);
}

void ScreenFixture::endTest()
{
    m_dir.reset();
}

QWidget* ScreenFixture::screen(const char* name)
{
    return topLevel(name);
}

bool ScreenFixture::openWorkArea(QWidget* workArea)
{
    auto* window = qobject_cast<centredWindow*>(workArea);
    if (!window)
        return false;
    window->open();
    return QTest::qWaitForWindowActive(window);
}

void ScreenFixture::press(QWidget* root, const char* control)
{
    QWidget* w = root->findChild<QWidget*>(QLatin1String(control));
    if (!w) {
        qWarning("control %s not found", control);
        return;
    }
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}
