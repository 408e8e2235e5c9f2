#pragma once
/// One generation step, up to the point where it meets the network: what one
/// component undergoes, pruned and scored, with the products identified
/// among themselves. Nothing here reads or changes a network, so the steps of
/// different components can be computed on different threads; the driver
/// then registers them in component order (network_generation.cpp).

#include <memory>
#include <vector>

#include "core/molecule.h"
#include "reactions/generators.h"
#include "reactions/network_preferences.h"
#include "reactions/reaction.h"

namespace korvane {

/// What a step made: reactions of the component with their projecting
/// selectivities, and the distinct new products they form (owned here, each
/// with its certificate computed) until the driver replaces them by
/// components. Reactions may also refer to known species directly.
struct TStepResult {
  std::vector<std::unique_ptr<TReaction>> Reactions;
  std::vector<std::unique_ptr<TMolecule>> Products;
};

/// The step of one component under the given preferences: the generators of
/// its class (beta-scission and allyl isomerisation for a radical, hydrogen
/// transfer for a molecule), the activation-energy thresholds (equal passes),
/// aromatisation of 4n+2 rings, identical products merged, equal
/// reactions folded, the projecting selectivity filter, products that no
/// reaction forms any more dropped. An inert component makes nothing.
/// Products identical to a known species are not built (generators.h); the
/// network is the same whichever species are known, since the driver would
/// find them when it registers the step. Reads only the component (and
/// `known`); safe on different components at once.
TStepResult ComputeStep(TMolecule& component, const TNetworkPreferences& preferences,
                        const TKnownSpecies* known = nullptr);

}  // namespace korvane
