#pragma once
/// Canonical certificate of a molecule: a byte string that two molecules
/// share exactly when they are the same species, whatever their atom order.
///
/// The molecule's graph is labelled canonically by nauty, with atom colours
/// (type and unpaired electrons) and bond colours (order and aromatic flag).
/// Two folds keep the graph small without losing anything:
/// - a hydrogen-like atom (H, D, T) without unpaired electrons whose only
///   bond is a plain single bond to an atom that is not hydrogen-like joins
///   its partner's colour as a count per type; its place in the graph is
///   fully described by that partner;
/// - a plain single bond is an edge; any other bond (double, triple,
///   aromatic) becomes a vertex of its own colour between its two atoms.
/// The certificate holds the sorted colours and the canonical edge list,
/// packed into nibbles (mostly half the bytes; see certificate.cpp). A
/// folded graph that is a tree (every acyclic molecule) needs no search: its
/// canonical form comes from rooting it at its centre (certificate.cpp).
///
/// Cost: one pass over the bonds, then linear time for a tree or nauty on
/// the folded graph (for a hydrocarbon: its carbon skeleton).
/// Thread-safe: nauty is built with thread-local work space, which each
/// thread releases when it ends.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/bond_scan.h"
#include "core/vectors.h"

namespace korvane {

/// Certificate of the structure given by the three stored pieces; bonds are
/// read from the lower triangle, as TMolecule::Build reads them.
std::string MoleculeCertificate(const TByteMatrix& adjacency, const TByteVector& atomTypes,
                                const TBoolMatrix& aromatic);
/// The same, written into `certificate` (whose memory is reused); when
/// `hasRing` is given, it tells whether some bonds form a ring (a cycle of
/// the graph, whatever the atoms), found on the way.
void MoleculeCertificate(const TByteMatrix& adjacency, const TByteVector& atomTypes, const TBoolMatrix& aromatic,
                         std::string& certificate, bool* hasRing = nullptr);
/// The same for a structure kept as its bonds (as ForEachBond visits them)
/// and the unpaired electrons of each atom (the adjacency diagonal).
void MoleculeCertificate(std::span<const TBondEntry> bonds, std::span<const std::uint8_t> atomTypes,
                         std::span<const std::uint8_t> unpaired, std::string& certificate, bool* hasRing = nullptr);

/// The hash by which certificates are looked up.
inline std::size_t CertificateHash(std::string_view certificate) {
  return std::hash<std::string_view>{}(certificate);
}

}  // namespace korvane
