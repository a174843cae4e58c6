#pragma once
// The joseki-like tree the benchmarks grow: a random walk of the navigation
// that adds and follows moves in one corner region, with lines up to 40
// moves deep.
#include <functional>
#include <random>

#include "navigation/Navigation.h"

namespace vxlo {

// Grows the open dictionary of nav until it holds more than `records`
// records. onAdded(record, move) is called for each new record, before it is
// followed, with the walk's generator for anything it draws.
void GrowJosekiTree(TNavigation& nav, int records, std::mt19937& rng,
                    const std::function<void(int record, TPoint move)>& onAdded);

}  // namespace vxlo
