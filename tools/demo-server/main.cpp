// orvanta-demo-server: a small Orvanta game server for trying the client and for its end-to-end tests.

#include "DemoServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>
#include <QTextStream>

#include <cstdio>
#include <optional>

namespace {

std::optional<long long> number(const QCommandLineParser& parser, const QString& name, long long min,
                                long long max) {
    bool ok = false;
    const long long value = parser.value(name).toLongLong(&ok);
    if (!ok || value < min || value > max) {
        std::fprintf(stderr, "orvanta-demo-server: --%s wants a number from %lld to %lld\n", qPrintable(name),
                     min, max);
        return std::nullopt;
    }
    return value;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("orvanta-demo-server");
    QCoreApplication::setApplicationVersion(ORV_VERSION);

    QString regulars;
    for (const auto& r : orvdemo::kRegulars)
        regulars += (regulars.isEmpty() ? "" : ", ") + QString::fromUtf8(r.name.data(), r.name.size());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "A small Orvanta game server: seeded accounts (demo/demo plays Captain Zed), simulated players\n"
        "who arrive and leave, SpyNet reports and the quick-who list.\n"
        "\n"
        "Answer \"new\" at the login prompt to open an account and make its first character. An account\n"
        "that has a character logs on into the game as the one it made last; an account without one is\n"
        "asked for a character right after its password (newbie/firstflight starts that way, and so does a\n"
        "new account whose character name was refused). In the game, \"new character\" makes another.\n"
        "Character names taken by anyone, simulated players included, are refused. Accounts and\n"
        "characters last until the server stops.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {"port", "TCP port to listen on; 0 picks a free one (default 30003).", "N", "30003"},
        {"bind", "Address to listen on (default 127.0.0.1).", "ADDR", "127.0.0.1"},
        {"players",
         "Simulated players on line at start (default 40). Among them come and go a few regulars (" +
             regulars + "), often enough to be worth marking as friends or foes.",
         "N", "40"},
        {"seed", "Seed for names, ranks and timing (default random).", "N"},
        {"activity-ms",
         "Mean milliseconds between simulated arrivals and departures; 0 for none (default 4000).", "N",
         "4000"},
        {"drop-after",
         "Cut each player's link SECONDS after it opened, as a network failure would (default: never).",
         "SECONDS", "0"},
    });
    // A wrong option is a usage error (2), like a wrong value below.
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "orvanta-demo-server: %s (see orvanta-demo-server --help)\n",
                     qPrintable(parser.errorText()));
        return 2;
    }
    parser.process(app); // --help and --version answer and exit here
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr,
                     "orvanta-demo-server: unexpected argument '%s' (see orvanta-demo-server --help)\n",
                     qPrintable(parser.positionalArguments().first()));
        return 2;
    }

    const auto port = number(parser, "port", 0, 65535);
    const auto players = number(parser, "players", 0, 100000);
    const auto activity = number(parser, "activity-ms", 0, 24LL * 3600 * 1000);
    const auto dropAfter = number(parser, "drop-after", 0, 24LL * 3600);
    const auto seed = parser.isSet("seed") ? number(parser, "seed", 0, 0xffffffffLL)
                                           : std::optional<long long>(QRandomGenerator::system()->generate());
    if (!port || !players || !activity || !dropAfter || !seed) return 2;

    QHostAddress address;
    const QString bind = parser.value("bind");
    if (bind.compare("localhost", Qt::CaseInsensitive) == 0)
        address = QHostAddress::LocalHost;
    else if (!address.setAddress(bind)) {
        std::fprintf(stderr, "orvanta-demo-server: --bind wants an IP address, not %s\n", qPrintable(bind));
        return 2;
    }

    orvdemo::DemoServer::Options options;
    options.players = static_cast<int>(*players);
    options.seed = static_cast<std::uint32_t>(*seed);
    options.activityMs = static_cast<int>(*activity);
    options.dropAfterMs = static_cast<int>(*dropAfter * 1000);
    orvdemo::DemoServer server(options);

    QTextStream out(stdout);
    QObject::connect(&server, &orvdemo::DemoServer::logMessage, &app, [&out](const QString& text) {
        out << QDateTime::currentDateTime().toString("hh:mm:ss ") << text << Qt::endl;
    });

    if (!server.listen(address, static_cast<quint16>(*port))) {
        std::fprintf(stderr, "orvanta-demo-server: cannot listen on %s:%lld: %s\n", qPrintable(bind), *port,
                     qPrintable(server.errorString()));
        return 1;
    }
    out << "Orvanta demo server listening on " << address.toString() << ':' << server.port() << " ("
        << options.players << " players on line, seed " << options.seed << ')' << Qt::endl;
    return app.exec();
}
