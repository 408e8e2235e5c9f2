#include "core/identity.h"

namespace korvane {

bool AreIsomorphic(const TMolecule& a, const TMolecule& b) {
  // Different atom counts settle most pairs without a certificate.
  if (a.AtomTypes().size() != b.AtomTypes().size()) return false;
  return a.Certificate() == b.Certificate();
}

}  // namespace korvane
