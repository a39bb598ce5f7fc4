// velocrest-market: the simulated exchange on 127.0.0.1. The first line on standard output is the
// port it listens on (useful with --port 0); then one line per request. SIGTERM or SIGINT stop it.
#include "exchange.h"
#include "qt/market_server.h"
#include "set_clock.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void OnStopSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here; the event loop does the rest.
    [[maybe_unused]] const auto written = write(signalPipe[1], &byte, 1);
}

bool InstallStopSignals() {
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        return false;
    }
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
}

QString FindUniverse(const QString& given) {
    if (!given.isEmpty()) {
        return given;
    }
    const QDir exeDir(QCoreApplication::applicationDirPath());
    for (const char* relative : {"market/universe.csv", "../share/velocrest/market/universe.csv"}) {
        const QString candidate = exeDir.filePath(QString::fromLatin1(relative));
        if (QFileInfo::exists(candidate)) {
            return QDir::cleanPath(candidate);
        }
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velocrest-market"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A simulated stock exchange on 127.0.0.1."));
    parser.addHelpOption();
    const QCommandLineOption portOption(
        QStringLiteral("port"), QStringLiteral("Port to listen on; 0 picks a free one (default 8471)."),
        QStringLiteral("port"), QStringLiteral("8471"));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Seed of the price walk (default 1)."),
                                        QStringLiteral("seed"), QStringLiteral("1"));
    const QCommandLineOption universeOption(
        QStringLiteral("universe"),
        QStringLiteral("Listings file (default market/universe.csv beside "
                       "the executable)."),
        QStringLiteral("file"));
    const QCommandLineOption sessionOption(QStringLiteral("session"),
                                           QStringLiteral("Trading hours HH:MM-HH:MM, local time (default "
                                                          "00:00-24:00, weekdays)."),
                                           QStringLiteral("hours"), QStringLiteral("00:00-24:00"));
    const QCommandLineOption tickOption(QStringLiteral("tick"),
                                        QStringLiteral("Seconds between two price moves (default 5)."),
                                        QStringLiteral("seconds"), QStringLiteral("5"));
    const QCommandLineOption clockOption(
        QStringLiteral("clock"),
        QStringLiteral("Start the exchange's clock at this local time, YYYY-MM-DD HH:MM:SS (default: now)."),
        QStringLiteral("time"));
    parser.addOptions({portOption, seedOption, universeOption, sessionOption, tickOption, clockOption});
    parser.process(app);

    bool ok = false;
    const uint port = parser.value(portOption).toUInt(&ok);
    if (!ok || port > 65535) {
        std::fprintf(stderr, "velocrest-market: bad port %s\n", qPrintable(parser.value(portOption)));
        return 2;
    }
    const qulonglong seed = parser.value(seedOption).toULongLong(&ok);
    if (!ok) {
        std::fprintf(stderr, "velocrest-market: bad seed %s\n", qPrintable(parser.value(seedOption)));
        return 2;
    }
    vc::sim::tSession session;
    const int tick = parser.value(tickOption).toInt(&ok);
    if (!ok || tick < 1 || tick > 3600) {
        std::fprintf(stderr, "velocrest-market: bad tick %s\n", qPrintable(parser.value(tickOption)));
        return 2;
    }
    session.TickSeconds = tick;
    if (!vc::sim::ParseSessionText(parser.value(sessionOption).toStdString(), session)) {
        std::fprintf(stderr, "velocrest-market: bad session %s\n", qPrintable(parser.value(sessionOption)));
        return 2;
    }

    double clockStart = 0;
    if (parser.isSet(clockOption) &&
        !vc::sim::ParseClockText(parser.value(clockOption).toStdString(), clockStart)) {
        std::fprintf(stderr, "velocrest-market: bad clock %s\n", qPrintable(parser.value(clockOption)));
        return 2;
    }

    const QString universePath = FindUniverse(parser.value(universeOption));
    vc::sim::tUniverse universe;
    if (universePath.isEmpty() || !universe.LoadFile(QFile::encodeName(universePath).toStdString())) {
        std::fprintf(stderr, "velocrest-market: cannot read the listings file %s\n",
                     universePath.isEmpty() ? "market/universe.csv" : qPrintable(universePath));
        return 2;
    }
    if (universe.SkippedLines() > 0) {
        std::fprintf(stderr, "velocrest-market: %d bad lines skipped in %s (first: line %d)\n",
                     universe.SkippedLines(), qPrintable(universePath), universe.FirstSkippedLine());
    }
    const auto listings = universe.Listings().size();

    if (!InstallStopSignals()) {
        std::perror("velocrest-market: signals");
        return 1;
    }
    QSocketNotifier stopNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });

    vc::tSystemClock systemClock;
    const vc::sim::tSetClock setClock(clockStart, systemClock);
    const vc::tClock& clock =
        parser.isSet(clockOption) ? static_cast<const vc::tClock&>(setClock) : systemClock;
    vc::sim::tExchange exchange(std::move(universe), seed, session, clock);
    vc::sim::tMarketServer server(exchange);
    const quint16 bound = server.listen(QHostAddress::LocalHost, static_cast<quint16>(port));
    if (bound == 0) {
        std::fprintf(stderr, "velocrest-market: cannot listen on 127.0.0.1:%u\n", port);
        return 1;
    }
    // At its usual port the exchange also answers on the finance pages' ports, one per market, so
    // a program with no hosts set finds its lookup, index and gainers pages here too.
    if (!parser.isSet(portOption)) {
        for (quint16 role = 8481; role <= 8489; ++role) {
            if (server.listen(QHostAddress::LocalHost, role) == 0) {
                std::fprintf(stderr, "velocrest-market: port %u is taken; its finance pages are not served\n",
                             role);
            }
        }
    }
    std::printf("%u\n", static_cast<unsigned>(bound));
    std::printf("velocrest-market: %zu listings from %s on http://127.0.0.1:%u/ (seed %llu)\n", listings,
                qPrintable(universePath), static_cast<unsigned>(bound), seed);
    std::fflush(stdout);

    const int result = QCoreApplication::exec();
    std::printf("velocrest-market: stopped\n");
    std::fflush(stdout);
    return result;
}
