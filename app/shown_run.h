#pragma once

// The stretch of an edit box's text that is laid out for drawing and for hit-testing.
//
// A text of up to whole_text_limit characters is laid out whole. Of a longer one only a stretch of
// 2 * run_half characters is, starting run_half before the cursor, so that typing, moving and painting
// cost the same whatever the length of the text. The stretch keeps its start while
//
//     start <= cursor <= end,   start == 0 or cursor >= start + run_margin,
//                               end == size or cursor <= end - run_margin,
//
// where end = min(size, start + 2 * run_half); it is laid out again after every change of the text.
//
// run_margin characters are far wider than any box, so the run always covers what the box shows.
// Control characters are shown as spaces, as the platform's edit boxes show them.

#include <optional>

#include <QFont>
#include <QList>
#include <QString>
#include <QTextLayout>

namespace app {

struct Preedit {
    QString text;
    QList<QTextLayout::FormatRange> formats;  // relative to the preedit text
    int cursor = 0;                           // within the preedit text
    bool cursor_shown = true;
};

class ShownRun {
public:
    static constexpr qsizetype whole_text_limit = 8192;
    static constexpr qsizetype run_half = 2048;
    static constexpr qsizetype run_margin = 1024;

    // Marks the layout stale: the text, the font or the preedit changed.
    void invalidate() { stale_ = true; }

    struct Change {
        bool start_moved = false;
        // When the start moved over text that did not change: how far right the new start lies from the
        // old one, in pixels.
        std::optional<qreal> shift;
    };

    // Brings the run up to date for the text and the cursor.
    Change update(const QString& text, qsizetype cursor, const QFont& font, Qt::LayoutDirection direction,
                  const Preedit& preedit);

    qsizetype start() const { return start_; }
    qsizetype end() const { return end_; }
    bool at_text_start() const { return start_ == 0; }
    bool at_text_end() const { return at_end_; }
    bool whole_text() const { return start_ == 0 && at_end_; }
    const QTextLayout& layout() const { return layout_; }
    QTextLine line() const { return layout_.lineAt(0); }

    // A text position as a position in the laid-out run (which holds the preedit at the cursor).
    int to_run(qsizetype position, qsizetype cursor, const Preedit& preedit) const;
    // A position in the run as a text position; a position inside the preedit is the cursor.
    qsizetype to_text(int run_position, qsizetype cursor, const Preedit& preedit) const;

private:
    bool holds(const QString& text, qsizetype cursor) const;
    static qsizetype end_for(const QString& text, qsizetype start);
    void lay_out(const QString& text, qsizetype cursor, const QFont& font, Qt::LayoutDirection direction,
                 const Preedit& preedit);

    QTextLayout layout_;
    qsizetype start_ = 0;
    qsizetype end_ = 0;
    bool at_end_ = true;
    bool stale_ = true;
};

}  // namespace app
