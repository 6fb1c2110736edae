// How the process ends, watched from outside: Esc and SIGTERM end it with status 0, a fatal error with 255
// after its message box, and a missing display with 255 and one line on stderr, never an abort.

#include <csignal>

#include <QFile>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Ended {
    int status;
    QProcess::ExitStatus how;
    QString out;
    QString err;
};

Ended run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) process.kill();
    return {process.exitCode(), process.exitStatus(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QProcessEnvironment offscreen() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    return environment;
}

// Whether the process has its own handler for the signal yet (the kernel's account of it).
bool catches(qint64 pid, int signal_number) {
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:")) return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal_number - 1)) & 1;
    return false;
}

}  // namespace

class ProgramExitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void escape_ends_with_status_0() {
        const Ended ended = run(QStringLiteral(SHELL_PROBE), {u"escape"_s}, offscreen());
        QCOMPARE(ended.how, QProcess::NormalExit);
        QCOMPARE(ended.status, 0);
    }

    // The event in hand is finished first, then the loop ends as when the window closes.
    void sigterm_ends_the_loop_with_status_0() {
        const Ended ended = run(QStringLiteral(SHELL_PROBE), {u"terminate"_s}, offscreen());
        QCOMPARE(ended.how, QProcess::NormalExit);
        QCOMPARE(ended.status, 0);
        QVERIFY2(ended.out.contains(u"typed 12\nloop ended"_s), qPrintable(ended.out));
    }

    void termination_signals_end_the_program_with_status_0_data() {
        QTest::addColumn<int>("signal_number");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void termination_signals_end_the_program_with_status_0() {
        QFETCH(int, signal_number);
        QProcess program;
        program.setProcessEnvironment(offscreen());
        program.start(QStringLiteral(QUELLMAR_PROGRAM));
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(catches(program.processId(), signal_number), 20000);
        ::kill(static_cast<pid_t>(program.processId()), signal_number);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    void unknown_control_name_shows_the_box_then_ends_with_255() {
        const Ended ended = run(QStringLiteral(SHELL_PROBE), {u"unknown-control"_s}, offscreen());
        QCOMPARE(ended.how, QProcess::NormalExit);
        QCOMPARE(ended.status, 255);
        QVERIFY2(ended.out.contains(u"box: "_s) && ended.out.contains(u"不存在的编辑框"_s), qPrintable(ended.out));
        QVERIFY(!ended.out.contains(u"returned"_s));
    }

    void no_display_ends_with_255_and_one_line_data() {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("platform");
        QTest::newRow("nothing set") << QString() << QString();
        QTest::newRow("dead X server") << u":987"_s << u"xcb"_s;
    }
    void no_display_ends_with_255_and_one_line() {
        QFETCH(QString, display);
        QFETCH(QString, platform);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s}) environment.remove(name);
        if (!display.isEmpty()) environment.insert(u"DISPLAY"_s, display);
        if (!platform.isEmpty()) environment.insert(u"QT_QPA_PLATFORM"_s, platform);
        const Ended ended = run(QStringLiteral(QUELLMAR_PROGRAM), {}, environment);
        QCOMPARE(ended.how, QProcess::NormalExit);
        QCOMPARE(ended.status, 255);
        QCOMPARE(ended.err.trimmed().count(u'\n'), 0);
        QVERIFY2(ended.err.startsWith(u"quellmar: cannot start"_s), qPrintable(ended.err));
    }
};

QTEST_MAIN(ProgramExitTest)
#include "test_program_exit.moc"
