// The headline feed of the simulated exchange ("/rss/2.0/headline?s=SYMBOL"): an RSS 2.0 document
// per listed symbol with 5 to 20 headlines over the last week, the same for the same seed, symbol and
// day. Headlines of today appear as the day goes on. Links go through a click-tracking redirect to
// the exchange's own story page ("/news/story?id=..."), as the feed the program was written for did.
#pragma once

#include "route_table.h"
#include "universe.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vc::sim {

struct tHeadline {
    double Published = 0; // local date-time
    std::string Title;    // plain text; "[$$] " marks a paid story, "(at Source)" ends some
    std::string Guid;     // contains "|"
    std::string StoryId;  // the id= of the story page
};

inline constexpr std::size_t kMinHeadlines = 5;
inline constexpr std::size_t kMaxHeadlines = 20;

// The headlines of a listing published up to now, newest first.
std::vector<tHeadline> Headlines(const tListing& listing, std::uint64_t seed, double now);

// host is "host:port" of the exchange as the client addressed it (links point back to it).
std::string NewsFeedXml(const std::string& symbol, const std::vector<tHeadline>& headlines,
                        const std::string& host, double now);

// "Wed, 08 Jun 2011 14:30:00 GMT" of a local date-time (the zone is written, never converted).
std::string RssDateText(double value);
// Text with &, <, > and " as entities.
std::string XmlEscape(std::string_view text);

tResponse NewsFeedPage(const tUniverse& universe, std::uint64_t seed, const tRequest& request, double now);
// The page a headline's link leads to; 404 for an id of no listing or of a headline not yet out.
tResponse NewsStoryPage(const tUniverse& universe, std::uint64_t seed, const tRequest& request, double now);

} // namespace vc::sim
