// How the process ends, watched from outside: Esc ends it with status 0, a fatal error with 255 after its
// message box, and a missing display with 255 and one line on stderr, never an abort.

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

}  // namespace

class ProgramExitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void escape_ends_with_status_0() {
        const Ended ended = run(QStringLiteral(SHELL_PROBE), {u"escape"_s}, offscreen());
        QCOMPARE(ended.how, QProcess::NormalExit);
        QCOMPARE(ended.status, 0);
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
