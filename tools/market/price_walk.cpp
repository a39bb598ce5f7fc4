#include "price_walk.h"

#include "sim_random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vc::sim {

namespace {

// Salts keep the random streams of the different uses apart.
enum : std::uint64_t {
    kSaltLevel = 1,
    kSaltClose = 2,
    kSaltOpen = 3,
    kSaltBridge = 4,
    kSaltVolume = 5,
    kSaltSpread = 6,
};

// So that paths do not grow without bound when a client asks for the whole universe.
constexpr std::size_t kMaxCachedPaths = 512;

double Gauss(std::uint64_t h) {
    const double u1 = Uniform(h);
    const double u2 = Uniform(SplitMix(h));
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

double RoundTo(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

// Smooth noise in [-1, 1]: hashed values every `period` days, blended with a smoothstep.
double ValueNoise(std::uint64_t key, int day, int period) {
    const double x = static_cast<double>(day) / period;
    const double cell = std::floor(x);
    const double f = x - cell;
    const double s = f * f * (3.0 - 2.0 * f);
    const auto i = static_cast<std::int64_t>(cell);
    const double a = 2.0 * Uniform(Hash(key, kSaltLevel, period, i)) - 1.0;
    const double b = 2.0 * Uniform(Hash(key, kSaltLevel, period, i + 1)) - 1.0;
    return a + (b - a) * s;
}

} // namespace

tPriceWalk::tPriceWalk(std::uint64_t seed, const tSession& session) : seed_(seed), session_(session) {}

double tPriceWalk::DailyVolatility(const tListing& listing) const {
    switch (listing.Kind) {
    case tKind::Index:
        return 0.010;
    case tKind::Yield:
        return 0.020;
    case tKind::Currency:
        return 0.005;
    case tKind::Stock:
        break;
    }
    return 0.018;
}

double tPriceWalk::CloseLevel(const tListing& listing, std::uint64_t symbolKey, int day) const {
    const double amplitude = listing.Kind == tKind::Stock      ? 0.12
                             : listing.Kind == tKind::Currency ? 0.04
                                                               : 0.07;
    const double drift = 0.6 * ValueNoise(symbolKey, day, 64) + 0.3 * ValueNoise(symbolKey, day, 16) +
                         0.1 * ValueNoise(symbolKey, day, 4);
    const double jitter = 0.5 * DailyVolatility(listing) * Gauss(Hash(symbolKey, kSaltClose, day));
    return listing.Price * std::exp(amplitude * drift + jitter);
}

double tPriceWalk::ClosingPrice(const tListing& listing, int day) const {
    return RoundTo(CloseLevel(listing, SymbolKey(seed_, listing.Symbol), day), listing.Decimals());
}

void tPriceWalk::BuildPath(const tListing& listing, std::uint64_t symbolKey, int day, tDayPath& path) const {
    const int ticks = session_.TickCount();
    const double sigma = DailyVolatility(listing);
    const double prevClose = CloseLevel(listing, symbolKey, PreviousTradingDay(day));
    const double open = prevClose * std::exp(0.2 * sigma * Gauss(Hash(symbolKey, kSaltOpen, day)));
    const double close = CloseLevel(listing, symbolKey, day);

    // A Brownian bridge in log price from the open to the close, laid out by midpoint displacement.
    std::vector<double> logPrice(static_cast<std::size_t>(ticks) + 1);
    logPrice.front() = std::log(open);
    logPrice.back() = std::log(close);
    struct tSpan {
        int A;
        int B;
    };
    std::vector<tSpan> todo{{0, ticks}};
    while (!todo.empty()) {
        const tSpan span = todo.back();
        todo.pop_back();
        if (span.B - span.A < 2) {
            continue;
        }
        const int mid = (span.A + span.B) / 2;
        const double spread = sigma * std::sqrt(static_cast<double>(span.B - span.A) / ticks) * 0.5;
        logPrice[static_cast<std::size_t>(mid)] =
            0.5 * (logPrice[static_cast<std::size_t>(span.A)] + logPrice[static_cast<std::size_t>(span.B)]) +
            spread * Gauss(Hash(symbolKey, kSaltBridge, day, mid));
        todo.push_back({span.A, mid});
        todo.push_back({mid, span.B});
    }

    const bool traded = listing.Kind == tKind::Stock || listing.Kind == tKind::Index;
    const double perTick = listing.Volume / (ticks + 1);
    path.Day = day;
    path.Price.resize(logPrice.size());
    path.Volume.resize(logPrice.size());
    double volume = 0;
    for (std::size_t i = 0; i < logPrice.size(); ++i) {
        path.Price[i] = RoundTo(std::exp(logPrice[i]), listing.Decimals());
        if (traded) {
            volume += std::floor(perTick * (0.3 + 1.4 * Uniform(Hash(symbolKey, kSaltVolume, day,
                                                                     static_cast<std::int64_t>(i)))));
        }
        path.Volume[i] = volume;
    }
    // The closing tick must be the close the next day reports as its previous close.
    path.Price.back() = RoundTo(close, listing.Decimals());
    path.RunTick = -1;
}

tQuote tPriceWalk::QuoteAtTick(const tListing& listing, int day, int tick) {
    const std::uint64_t symbolKey = SymbolKey(seed_, listing.Symbol);
    const int ticks = session_.TickCount();
    tick = std::clamp(tick, 0, ticks);

    if (paths_.size() >= kMaxCachedPaths && paths_.find(listing.Symbol) == paths_.end()) {
        paths_.clear();
    }
    tDayPath& path = paths_[listing.Symbol];
    if (path.Day != day || static_cast<int>(path.Price.size()) != ticks + 1) {
        BuildPath(listing, symbolKey, day, path);
    }
    if (path.RunTick > tick || path.RunTick < 0) {
        path.RunTick = 0;
        path.RunHigh = path.RunLow = path.Price.front();
    }
    for (int i = path.RunTick + 1; i <= tick; ++i) {
        const double price = path.Price[static_cast<std::size_t>(i)];
        path.RunHigh = std::max(path.RunHigh, price);
        path.RunLow = std::min(path.RunLow, price);
    }
    path.RunTick = tick;

    tQuote quote;
    quote.Day = day;
    quote.Seconds = session_.TickSecondsOfDay(tick);
    quote.Open = path.Price.front();
    quote.Last = path.Price[static_cast<std::size_t>(tick)];
    quote.High = path.RunHigh;
    quote.Low = path.RunLow;
    quote.Volume = path.Volume[static_cast<std::size_t>(tick)];
    quote.Prev = ClosingPrice(listing, PreviousTradingDay(day));

    if (listing.Kind == tKind::Stock || listing.Kind == tKind::Currency) {
        const std::uint64_t h = Hash(symbolKey, kSaltSpread, day, tick);
        const double step =
            listing.Kind == tKind::Currency ? 0.0001 : std::max(0.01, RoundTo(quote.Last * 0.0002, 2));
        const auto below = static_cast<double>(1 + h % 3);
        const auto above = static_cast<double>(1 + (h >> 8) % 3);
        quote.Bid = RoundTo(std::max(step, quote.Last - below * step), listing.Decimals());
        quote.Ask = RoundTo(quote.Last + above * step, listing.Decimals());
    }
    return quote;
}

tQuote tPriceWalk::Quote(const tListing& listing, double now) {
    const tFeedPosition position = FeedPosition(now, session_);
    return QuoteAtTick(listing, position.Day, position.Tick);
}

} // namespace vc::sim
