#pragma once
// What `games` and `stats` share: the games' filters (--from, --to,
// --player, --event) as options, and the listing of the kept games.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "navigation/Navigation.h"
#include "companion/GameExplorer.h"

namespace vxlo {

// The filters as typed; Filter() checks them.
struct TFilterOptions {
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> player;
    std::optional<std::string> event;

    // A year that is not a number of at least 0 is a usage error.
    TGameFilter Filter() const;
};

void AddFilterOptions(CLI::App& command, TFilterOptions& filter);

// A page of a listing; limit and offset as typed, checked by Number.
struct TListing {
    long long limit = 50;
    long long offset = 0;
    TGameOrder order;
    bool json = false;
};

// text as a number of at least least, or a usage error naming the option.
int Number(const std::string& name, const std::string& text, int least);

// The kept games that reached the position after moves (a line each or one
// JSON object). File and lookup errors propagate as EVxloError.
void ListKeptGames(TNavigation& nav, const std::string& dictionary, const std::vector<std::string>& moves,
                   const TGameFilter& filter, const TListing& listing, std::ostream& out);

}  // namespace vxlo
