#pragma once

// A label of the form, painted by the program: its rectangle filled with the button-face colour, then its
// text on one line, left-aligned, vertically centred and cut off at the rectangle, on a transparent
// background.

#include <QColor>
#include <QString>
#include <QWidget>

namespace app {

class FormLabel : public QWidget {
public:
    FormLabel(const QString& text, const QColor& text_colour, QWidget* parent);

    const QString& text() const { return text_; }
    void set_text(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QColor text_colour_;
};

}  // namespace app
