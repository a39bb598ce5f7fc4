// The HTTP face of the simulated exchange: every request on the socket goes to tExchange and its
// answer goes back unchanged; each request is logged as one line on standard output.
#pragma once

#include "exchange.h"

#include <QAbstractHttpServer>

namespace vc::sim {

class tMarketServer final : public QAbstractHttpServer {
    Q_OBJECT

public:
    explicit tMarketServer(tExchange& exchange, QObject* parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    tExchange& exchange_;
};

} // namespace vc::sim
