#include "platform/qt/Screens.h"

#include <QStringList>

namespace Screens {

namespace {

struct Known
{
    const QMetaObject* type;
    std::function<QWidget*()> make;
    QWidget* built = nullptr;
};

std::vector<Known>& known()
{
    static std::vector<Known> list;
    return list;
}

std::vector<QWidget*>& screens()
{
    static std::vector<QWidget*> list;
    return list;
}

std::function<void()>& launcher()
{
    static std::function<void()> show;
    return show;
}

std::function<void(const QString&, const QString&)>& guide()
{
    static std::function<void(const QString&, const QString&)> show;
    return show;
}

// A screen's objectName is its class name without the leading T.
QString nameOf(const QMetaObject* type)
{
    return QString::fromLatin1(type->className()).mid(1);
}

QWidget* build(Known& k)
{
    if (!k.built) {
        // Built before it is recorded: a screen that asks for another while
        // it is being built is destroyed before that one.
        QWidget* w = k.make();
        k.built = w;
        add(w);
    }
    return k.built;
}

} // namespace

void define(const QMetaObject* type, std::function<QWidget*()> make)
{
    known().push_back({type, std::move(make)});
}

bool defined()
{
    return !known().empty();
}

QStringList names()
{
    QStringList out;
    for (const Known& k : known())
        out.append(nameOf(k.type));
    return out;
}

void add(QWidget* screen)
{
    screens().push_back(screen);
}

const std::vector<QWidget*>& all()
{
    return screens();
}

void destroyAll()
{
    // Latest first: no screen outlives one built after it.
    auto& list = screens();
    while (!list.empty()) {
        delete list.back();
        list.pop_back();
    }
    for (Known& k : known())
        k.built = nullptr;
}

QWidget* ofType(const QMetaObject* type)
{
    for (Known& k : known()) {
        if (k.type->inherits(type))
            return build(k);
    }
    return nullptr;
}

QWidget* byName(const QString& objectName)
{
    for (Known& k : known()) {
        if (nameOf(k.type) == objectName)
            return build(k);
    }
    return nullptr;
}

void showLauncher()
{
    if (launcher())
        launcher()();
}

void showGuide(const QString& title, const QString& text)
{
    if (guide())
        guide()(title, text);
}

void setLauncher(std::function<void()> show)
{
    launcher() = std::move(show);
}

void setGuide(std::function<void(const QString&, const QString&)> show)
{
    guide() = std::move(show);
}

} // namespace Screens
