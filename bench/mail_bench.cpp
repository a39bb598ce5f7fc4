// One alert e-mail (a fresh connection, HELO, MAIL, RCPT, DATA, QUIT) to the tests' mail server on
// 127.0.0.1, against Python's smtplib sending the same bytes to the same server in the same run.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryFile>

#include <cstdio>
#include <string>

#include "bench_support.h"
#include "notify/qt/smtp_client.h"
#include "toolkit/dates.h"

namespace {

constexpr int kPythonMails = 200;

quint16 gPort = 0;
vc::tMailMessage gMessage{"me@home.test",
                          {"you@work.test"},
                          "Velocrest alert on MICROSOFT (MSFT)...",
                          {"", "NAME : MICROSOFT", "SYMBOL : MSFT", "",
                           "CLOSE (56.65) raised above ALERT (56)", "", "5 last trades : ", "",
                           "  10/05/2006  16:09  55.95  201057", "  10/05/2006  16:10  55.95  201237",
                           "  10/05/2006  17:09  55.65  484357", "  10/05/2006  17:10  55.65  484702",
                           "  10/05/2006  17:11  56.65  485036", "", "(prices are delayed)", ""}};
const double kNow = vc::ParseDate("10/05/2006") + vc::ParseTime("17:11:00");

void BM_SendAlertMail(benchmark::State& state) {
    vc::tSmtpClient client;
    const vc::tSmtpServer server{"127.0.0.1", gPort, vc::tSmtpSecurity::None};
    for (auto _ : state) {
        const std::string error = client.Send(server, gMessage, {}, kNow, 0);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
}
BENCHMARK(BM_SendAlertMail)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// smtplib's time per mail in microseconds, measured inside Python so its start-up is left out.
double PythonSmtplibMicroseconds() {
    QTemporaryFile data;
    if (!data.open()) {
        return 0;
    }
    data.write(QByteArray::fromStdString(vc::MailData(gMessage, kNow, 0)));
    data.close();
    const QString script =
        QStringLiteral("import smtplib, sys, time\n"
                       "port, path, count = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])\n"
                       "data = open(path, 'rb').read()\n"
                       "start = time.perf_counter()\n"
                       "for _ in range(count):\n"
                       "    s = smtplib.SMTP('127.0.0.1', port)\n"
                       "    s.helo('Velocrest')\n"
                       "    s.sendmail('me@home.test', ['you@work.test'], data)\n"
                       "    s.quit()\n"
                       "print((time.perf_counter() - start) / count * 1e6)\n");
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, QString::number(gPort),
                                                      data.fileName(), QString::number(kPythonMails)});
    if (!python.waitForFinished(120000) || python.exitCode() != 0) {
        std::fprintf(stderr, "smtplib baseline failed: %s\n", python.readAllStandardError().constData());
        return 0;
    }
    return python.readAllStandardOutput().trimmed().toDouble();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString script = QStringLiteral(VELOCREST_SOURCE_DIR "/tests/support/smtp/smtp_server.py");
    QProcess server;
    server.start(QStringLiteral("/usr/bin/python3"),
                 {script, QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--quiet")});
    if (!server.waitForReadyRead(10000)) {
        std::fprintf(stderr, "the mail server did not start: %s\n",
                     server.readAllStandardError().constData());
        return 1;
    }
    gPort = static_cast<quint16>(server.readLine().mid(5).trimmed().toUInt());
    std::printf("mail server on 127.0.0.1:%u\n", gPort);

    benchmark::Initialize(&argc, argv);
    vc::bench::tRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    const double python = PythonSmtplibMicroseconds();
    const auto ours = recorder.Times.find("BM_SendAlertMail/min_time:2.000");
    if (ours != recorder.Times.end() && python > 0) {
        std::printf("one alert e-mail %9.1f us  smtplib %9.1f us  ratio %6.2f  (goal at most 1.2)\n",
                    ours->second, python, ours->second / python);
    }
    server.terminate();
    server.waitForFinished(5000);
    return 0;
}
