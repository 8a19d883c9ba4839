#include "platform/qt/FixedFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

QString fixedFamily()
{
    static const QString family = [] {
        const QString courier = QStringLiteral("Courier New");
        if (QFontDatabase::hasFamily(courier))
            return courier;
        for (const QString& f : QFontDatabase::families()) {
            if (QFontDatabase::isFixedPitch(f))
                return f;
        }
        return courier;
    }();
    return family;
}

} // namespace

QFont fixedFont(int pointSize)
{
    QFont font(fixedFamily(), pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}
