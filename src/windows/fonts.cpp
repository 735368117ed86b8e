#include "windows/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <cstdio>

namespace dealwise {

QFont fontFor(layout::FontKind kind) {
    constexpr double kDefaultPoints = 8.25;
    constexpr double kLargePoints = 13.5;
    QFont font(kDefaultFamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kind == layout::FontKind::LargeBold ? kLargePoints : kDefaultPoints);
    font.setBold(kind != layout::FontKind::Default);
    return font;
}

QString installFontSubstitute() {
    const QStringList families = QFontDatabase::families();
    if (families.contains(kDefaultFamily, Qt::CaseInsensitive)) {
        return kDefaultFamily;
    }
    if (families.contains(kSubstituteFamily, Qt::CaseInsensitive)) {
        QFont::insertSubstitution(kDefaultFamily, kSubstituteFamily);
        return kSubstituteFamily;
    }
    const QString fallback = QFontInfo(fontFor(layout::FontKind::Default)).family();
    std::fprintf(stderr,
                 "dealwise: neither \"%s\" nor \"%s\" is installed; drawing with \"%s\", which may clip captions "
                 "(install fonts-liberation)\n",
                 qPrintable(kDefaultFamily), qPrintable(kSubstituteFamily), qPrintable(fallback));
    return fallback;
}

} // namespace dealwise
