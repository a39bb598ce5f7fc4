#include "qt/market_server.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>

#include <cstdio>

namespace vc::sim {

namespace {

std::string MethodText(QHttpServerRequest::Method method) {
    switch (method) {
    case QHttpServerRequest::Method::Get:
        return "GET";
    case QHttpServerRequest::Method::Head:
        return "HEAD";
    case QHttpServerRequest::Method::Post:
        return "POST";
    case QHttpServerRequest::Method::Put:
        return "PUT";
    case QHttpServerRequest::Method::Delete:
        return "DELETE";
    default:
        return "OTHER";
    }
}

} // namespace

tMarketServer::tMarketServer(tExchange& exchange, QObject* parent)
    : QAbstractHttpServer(parent), exchange_(exchange) {}

bool tMarketServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    tRequest ours;
    ours.Method = MethodText(request.method());
    ours.Path = request.url().path(QUrl::FullyEncoded).toStdString();
    ours.Query = request.url().query(QUrl::FullyEncoded).toStdString();
    ours.Host = request.value(QByteArrayLiteral("Host")).toStdString();
    const tResponse response = exchange_.Handle(ours);

    QHttpServerResponder responder = makeResponder(request, socket);
    responder.write(QByteArray::fromStdString(response.Body), QByteArray::fromStdString(response.ContentType),
                    static_cast<QHttpServerResponder::StatusCode>(response.Status));

    const std::string target = ours.Path + (ours.Query.empty() ? "" : "?" + ours.Query);
    std::printf("%s %s %s %d %zu\n", LogStampText(exchange_.Clock().Now()).c_str(), ours.Method.c_str(),
                target.c_str(), response.Status, response.Body.size());
    std::fflush(stdout);
    return true;
}

void tMarketServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    // handleRequest answers everything; this is only reached if that ever changes.
    makeResponder(request, socket).write(QHttpServerResponder::StatusCode::NotFound);
}

} // namespace vc::sim
