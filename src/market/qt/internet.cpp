#include "market/qt/internet.h"

#include "market/proxy_settings.h"

#include <QNetworkInformation>
#include <QNetworkProxyFactory>
#include <QUrl>

namespace vc {

std::string SystemProxy(const std::string& forUrl) {
    const QNetworkProxyQuery query(
        QUrl(QString::fromLatin1(forUrl.data(), static_cast<qsizetype>(forUrl.size()))));
    for (const QNetworkProxy& proxy : QNetworkProxyFactory::systemProxyForQuery(query)) {
        if (proxy.type() != QNetworkProxy::HttpProxy && proxy.type() != QNetworkProxy::HttpCachingProxy) {
            continue;
        }
        if (proxy.hostName().isEmpty()) {
            continue;
        }
        const int port = proxy.port() > 0 ? proxy.port() : kDefaultProxyPort;
        return proxy.hostName().toLatin1().toStdString() + ":" + std::to_string(port);
    }
    return {};
}

bool EnsureConnected() {
    if (QNetworkInformation::instance() == nullptr &&
        !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability)) {
        return true;
    }
    const QNetworkInformation* info = QNetworkInformation::instance();
    if (info == nullptr || !info->supports(QNetworkInformation::Feature::Reachability)) {
        return true;
    }
    switch (info->reachability()) {
    case QNetworkInformation::Reachability::Disconnected:
    case QNetworkInformation::Reachability::Local:
        return false;
    default:
        // Unknown says nothing; Site (an intranet) may still reach out through a proxy.
        return true;
    }
}

} // namespace vc
