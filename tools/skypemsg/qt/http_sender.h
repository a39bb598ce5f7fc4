// Sends the planned requests one after another under one deadline for the whole run, so the helper
// always ends well inside the time the program waits for its log.
#pragma once

#include <QDeadlineTimer>
#include <QNetworkAccessManager>

#include <string>

#include "message_request.h"

namespace vc::skypemsg {

class tHttpSender {
public:
    explicit tHttpSender(int deadlineMs);

    // Every request is sent, even after one failed; the result is the first error, empty when
    // all were answered with 2xx.
    std::string SendAll(const tPlan& plan);
    // The error of one request, empty on success.
    std::string Send(const std::string& service, const tRequest& request);

private:
    QNetworkAccessManager manager_;
    QDeadlineTimer deadline_;
    int deadlineMs_;
    bool expired_ = false;
};

} // namespace vc::skypemsg
