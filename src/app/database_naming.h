#pragma once
/// "Name components (DB)": every component of a network that a molecular
/// database holds takes the first synonym of its item, for the windows and
/// the batch tool alike.

#include <cstddef>

#include "database/db_coordinator.h"
#include "reactions/reaction_network.h"

namespace korvane {

/// Names the components found in `database` (by structure) after the first
/// synonym of their item; an item without synonyms names nothing. The
/// database must have its molecules built. Returns how many names changed.
std::size_t NameComponentsFromDatabase(TReactionNetwork& network, const TDBCoordinator& database);

}  // namespace korvane
