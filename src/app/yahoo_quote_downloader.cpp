#include "app/yahoo_quote_downloader.h"

#include "market/yahoo_intraday.h"
#include "toolkit/dates.h"

namespace vc {

std::optional<std::vector<std::string>> tYahooQuoteDownloader::Download(const std::string& symbolsBatch) {
    // A fresh component per batch: entries of an earlier batch must not come back in this answer.
    tYahooIntraday quotes(*session_, host_, clock_);
    if (quotes.AddSymbols(symbolsBatch) == 0 || !quotes.Download()) {
        return std::nullopt;
    }
    // Only today's trades (Friday's at the weekend): an older quote says nothing new.
    return quotes.Results(LastWeekday(clock_.Now()));
}

} // namespace vc
