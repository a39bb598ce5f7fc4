#include "exchange.h"

#include "index_members.h"
#include "lookup_page.h"
#include "news_feed.h"
#include "quotes_csv.h"

namespace vc::sim {

tExchange::tExchange(tUniverse universe, std::uint64_t seed, const tSession& session, const tClock& clock)
    : universe_(std::move(universe)), seed_(seed), walk_(seed, session), clock_(clock) {
    routes_.Add("/", [this](const tRequest&) { return IndexPage(); });
    routes_.Add("/d/quotes.csv", [this](const tRequest& request) {
        return QuotesCsvPage(universe_, walk_, request, clock_.Now());
    });
    routes_.Add(
        "/q", [this](const tRequest& request) { return QuotePage(universe_, walk_, request, clock_.Now()); });
    for (const char* kind : {"", "/stocks", "/indices", "/etfs", "/futures", "/funds"}) {
        routes_.Add(std::string("/lookup") + kind, [this, kind](const tRequest& request) {
            return LookupPage(universe_, walk_, request, clock_.Now(), kind);
        });
    }
    routes_.Add("/q/cp", [this](const tRequest& request) {
        return ComponentPage(universe_, walk_, seed_, request, clock_.Now());
    });
    routes_.Add("/rss/2.0/headline", [this](const tRequest& request) {
        return NewsFeedPage(universe_, seed_, request, clock_.Now());
    });
    routes_.Add("/news/story", [this](const tRequest& request) {
        return NewsStoryPage(universe_, seed_, request, clock_.Now());
    });
}

tResponse tExchange::IndexPage() const {
    std::string body = "velocrest-market: a simulated exchange with " +
                       std::to_string(universe_.Listings().size()) + " listings\r\n";
    for (const std::string& path : routes_.Paths()) {
        body += path + "\r\n";
    }
    return {200, "text/plain", body};
}

} // namespace vc::sim
