#pragma once

// Pixel helpers for the tab control's image tests.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

namespace tab_test {

// Empty when every pixel of `area` has the colour `expected`; otherwise names the first one that has not.
inline QString mismatch_in(const QImage& image, const QRect& area, const QColor& expected) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (QColor(image.pixel(x, y)) != expected)
                return QStringLiteral("pixel (%1,%2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(QColor(image.pixel(x, y)).name(), expected.name());
    return {};
}

// The pixels of `area` that have the colour `colour`, as a bounding box (null when there are none) and
// a count.
struct Ink {
    QRect bounds;
    int count = 0;
};

inline Ink ink_in(const QImage& image, const QRect& area, const QColor& colour) {
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (QColor(image.pixel(x, y)) == colour) {
                ink.bounds |= QRect(x, y, 1, 1);
                ++ink.count;
            }
    return ink;
}

}  // namespace tab_test
