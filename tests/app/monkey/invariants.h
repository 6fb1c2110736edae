#pragma once

// The checks made after every event of a monkey session, in one place. Each returns an empty text when
// everything holds and says what is wrong otherwise.
//
// After every event:
//   - the page expected is shown: its controls are visible, the other page's are hidden;
//   - the focus is on a visible, enabled control of the shown page that may take it (or on the window
//     itself), and on the one control the event must leave it on, where there is one;
//   - after a mouse event, the tab under the pointer is the one highlighted, and none after a click that
//     selected a page;
//   - no box changed but those the event may change (typing changes the focused box, a calculate click
//     its two result boxes, a clear click its four boxes), and the boxes the event must write hold
//     exactly the texts required;
//   - every box whose text changed still reads: as no text when it is empty, and otherwise as its GBK
//     bytes, with "?" for each character that GBK lacks.

#include <array>
#include <bitset>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QString>
#include <QWidget>

#include "app/main_window.h"
#include "window_names.h"

namespace monkey {

// The boxes' texts and the focus before an event, for comparing with afterwards.
struct Snapshot {
    std::array<QString, boxes.size()> texts;
};

struct Expectation {
    int page = 0;                                        // the page shown afterwards
    QWidget* focus = nullptr;                            // the control that must have it; nullptr: any allowed
    std::bitset<boxes.size()> may_change;                // by index in `boxes`
    std::vector<std::pair<std::size_t, std::optional<std::string>>> required;  // GBK text afterwards; none: empty
    std::optional<int> hovered_tab;                      // after a mouse event: the tab under the mouse, -1: none
    QString note;                                        // for the log: what a calculate click works on
};

QWidget& box_widget(const app::MainWindow& window, std::size_t box);
QString box_text(const app::MainWindow& window, std::size_t box);
Snapshot take_snapshot(const app::MainWindow& window);

// The control of the window that holds the focus (or has the focused widget inside it); nullptr for none.
QWidget* focused_control(const app::MainWindow& window);

// All checks after an event.
QString check_event(const app::MainWindow& window, const Snapshot& before, const Expectation& expected);

// After a user replaced a box's whole text by typing or pasting `text`.
QString check_box_text(const app::MainWindow& window, std::size_t box, const QString& text);

// A text for a report: control characters and characters outside the Basic Multilingual Plane escaped,
// long texts cut.
QString shown(const QString& text);

}  // namespace monkey
