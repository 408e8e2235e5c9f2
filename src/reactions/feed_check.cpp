#include "reactions/feed_check.h"

#include "core/atom_types.h"
#include "core/valence_check.h"

namespace korvane {
namespace {

const char* ElementName(std::uint8_t type) {
  switch (type) {
    case kHelium: return "helium";
    case kNitrogen: return "nitrogen";
    case kOxygen: return "oxygen";
    default: return "an unknown element";
  }
}

}  // namespace

std::string FeedProblem(const TMolecule& molecule) {
  const TByteVector& types = molecule.AtomTypes();
  if (types.empty()) return "a feed needs atoms";
  // The bond energies and parameter recipes cover C-H and C-C bonds only:
  // an O-H or N-H hydrogen would be abstracted at no energy by a C-H recipe.
  for (std::size_t i = 0; i < types.size(); ++i)
    if (!IsCarbonType(types[i]) && !IsHydrogenLike(types[i]))
      return "atom " + std::to_string(i) + " is " + ElementName(types[i]) +
             "; a feed holds only carbon and hydrogen (isotopes included)";
  // Checked before any work: a generation would carry a broken structure
  // into every product and fail only when the network is written.
  return ValenceProblem(molecule);
}

}  // namespace korvane
