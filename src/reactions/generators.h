#pragma once
/// The four elementary reaction generators. Each turns one component (two
/// radicals for recombination) into the reactions it undergoes, working on
/// copies of its stored structure (its bonds, unpaired electrons and atom
/// types, as the matrices would give them); the component is never changed.
/// Generators do not filter (the driver does), and they look a product up
/// only among the species they are given as known.
///
/// | generator           | applies to               | class | E                         | A                          |
/// |---------------------|--------------------------|-------|---------------------------|----------------------------|
/// | beta-scission       | radicals                 | 1     | radical bond energy       | 1e13 if H/D/T atom formed, else 1e14 |
/// | hydrogen transfer   | non-radicals, >= 4 atoms | 2     | non-radical C–H energy    | 3.5775e21                  |
/// | recombination       | two radicals             | 3     | 130                       | 1e14                       |
/// | allyl isomerisation | radicals                 | 4     | 130                       | 1e14                       |

#include <memory>
#include <string_view>
#include <vector>

#include "core/certificate.h"
#include "core/molecule.h"
#include "reactions/reaction.h"

namespace korvane {

/// Species that exist already (a network's components): a product without a
/// ring that is identical to one of them is not built, and the reaction
/// refers to the known molecule instead. (A product with a ring may still be
/// aromatised by the driver, so it is always built.) Find is called from the
/// threads that compute generation steps; a known molecule is only referred
/// to, and read for its atom types.
class TKnownSpecies {
 public:
  virtual ~TKnownSpecies() = default;
  /// The known molecule with this certificate (whose CertificateHash is
  /// `hash`), or null.
  virtual TMolecule* Find(std::string_view certificate, std::size_t hash) const = 0;
};

/// What a generator made. The reactions refer to the component(s) as their
/// reactants (coefficient -1) and to the products (coefficient 1): known
/// species, or new products that this result owns until the caller takes them.
struct TGeneratorResult {
  std::vector<std::unique_ptr<TReaction>> Reactions;
  /// The new products, in the order they were first made, each with its
  /// certificate. Identical products are made once: reactions that form the
  /// same species refer to the same product.
  std::vector<std::unique_ptr<TMolecule>> Products;
};

/// Beta-scission of a radical: for every radical atom a, every neighbour b of
/// a and every other neighbour c of b, the bond b–c breaks and a–b gains one
/// order; the fragments become the products.
TGeneratorResult BetaScission(TMolecule& radical, const TKnownSpecies* known = nullptr);

/// Hydrogen transfer of a molecule of 4 or more atoms: one reaction per
/// hydrogen-like atom, in index order, detaching it as an atom radical.
TGeneratorResult HydrogenTransfer(TMolecule& molecule, const TKnownSpecies* known = nullptr);

/// Recombination of two radicals at their first radical atoms. Nothing when
/// either is not a radical or the product would exceed 255 atoms.
TGeneratorResult Recombination(TMolecule& first, TMolecule& second);

/// Allyl isomerisation: the radical centre moves along an allylic system
/// (a• – b = c becomes a = b – c•).
TGeneratorResult AllylIsomerisation(TMolecule& radical, const TKnownSpecies* known = nullptr);

}  // namespace korvane
