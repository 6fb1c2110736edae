// A monkey on the real main window: seeded random sessions of typing, pasting, input-method commits,
// focus keys, button clicks and page switches, with the window checked after every event (see
// invariants.h for what is checked, monkey.h for what the monkey does).
//
//   QUELLMAR_MONKEY_SEED     the generator's seed (decimal or 0x hex); a fixed one by default
//   QUELLMAR_MONKEY_EVENTS   how many events to make; 30000 by default
//   QUELLMAR_MONKEY_TRACE    when set, every event is printed as it is made

#include <cstdint>

#include <QElapsedTimer>
#include <QTest>

#include "app/main_window.h"
#include "app/program.h"
#include "monkey.h"

namespace {

constexpr std::uint64_t default_seed = 20261211;
constexpr long default_events = 30000;

std::uint64_t seed() {
    bool ok = false;
    const std::uint64_t given = qEnvironmentVariable("QUELLMAR_MONKEY_SEED").toULongLong(&ok, 0);
    return ok ? given : default_seed;
}

long event_count() {
    bool ok = false;
    const long given = qEnvironmentVariable("QUELLMAR_MONKEY_EVENTS").toLong(&ok, 0);
    return ok && given > 0 ? given : default_events;
}

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        app::initialise_shell();
        app::reset_floating_point();
    }
    void init() {
        app::load_main_window();
        QVERIFY(QTest::qWaitForWindowActive(app::main_window()));
    }
    void cleanup() { delete app::main_window(); }

    void random_sessions_keep_the_window_sound() {
        const std::uint64_t used_seed = seed();
        const long events = event_count();
        qInfo("monkey: seed %llu, %ld events", static_cast<unsigned long long>(used_seed), events);
        // The monkey closes the window now and then and starts a new one; cleanup() deletes the last.
        monkey::Monkey user(*app::main_window(), used_seed, qEnvironmentVariableIsSet("QUELLMAR_MONKEY_TRACE"));
        QElapsedTimer timer;
        timer.start();
        while (user.counts().events < events && !user.failed()) user.act();
        const monkey::Counts& counts = user.counts();
        qInfo("monkey: seed %llu: %ld events in %ld actions, %lld ms; %ld calculate and %ld clear clicks, %ld page "
              "switches, %ld long pastes",
              static_cast<unsigned long long>(used_seed), counts.events, counts.actions,
              static_cast<long long>(timer.elapsed()), counts.calculate_clicks, counts.clear_clicks,
              counts.page_switches, counts.long_pastes);
        if (user.failed()) qWarning("%s", qPrintable(user.failure()));  // in full: a failure message is cut short
        QVERIFY2(!user.failed(), qPrintable(user.failure().section(u'\n', 0, 0)));
    }
};

QTEST_MAIN(MonkeyTest)
#include "test_monkey.moc"
