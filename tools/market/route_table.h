// Requests and answers of the simulated exchange, and the table that sends each path to its page.
// Pages are plain functions of the request, so every endpoint is tested without a socket.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/url.h"

namespace vc::sim {

struct tRequest {
    std::string Method = "GET";
    std::string Path;  // percent-encoded, as it arrived
    std::string Query; // raw text after "?", percent-encoded
    std::string Host;  // the Host header, for pages that link back to the exchange
};

struct tResponse {
    int Status = 200;
    std::string ContentType = "text/plain";
    std::string Body;
};

using tPage = std::function<tResponse(const tRequest&)>;

class tRouteTable {
public:
    // Pages are matched on the exact decoded path; a later Add for the same path replaces the page.
    void Add(const std::string& path, tPage page);
    // 404 for an unknown path, 405 for a method other than GET.
    tResponse Dispatch(const tRequest& request) const;
    std::vector<std::string> Paths() const;

private:
    std::map<std::string, tPage> pages_;
};

// The raw (still encoded) value of the first name=value pair of a query; empty when absent.
std::string RawQueryValue(std::string_view query, std::string_view name);
bool HasQueryValue(std::string_view query, std::string_view name);

} // namespace vc::sim
