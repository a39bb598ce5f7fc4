// Fixed reference data of the market pages: the rule that shortens long company and index names
// to names that fit the tape, the exchange names of the lookup pages' codes, and the market,
// country and region words registered with the translation table at start-up.
#pragma once

#include <string>
#include <string_view>

namespace vc {

class tTranslation;

// A handful of well-known long names to their short form, then legal-form and share-class endings
// removed, each tested once in a fixed order; an ending is only removed when text remains before it.
std::string NormalizeName(std::string_view name);

// "PAR" -> "Parijs"; a code the table does not know comes back trimmed, in its own case.
std::string ExchangeName(std::string_view code);

// Must come after the start-up vocabulary, whose first row fixes the table's columns (Dutch,
// French, English): the German column of the market words is not kept.
void RegisterMarketVocabulary(tTranslation& translation);

} // namespace vc
