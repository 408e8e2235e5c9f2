#pragma once
/// Finds a network's component by its certificate with one hash lookup.
///
/// The index keeps the first component of each certificate: a loaded network
/// may hold one species twice (loading never merges). Components are added
/// by the thread that owns the network; during a generation run the threads
/// that compute steps look products up at the same time (TKnownSpecies).
///
/// Lookups take no lock and write nothing shared, so the threads do not slow
/// each other down: the table is open-addressed, a slot is published by its
/// component pointer (release) after its hash, and a full table is replaced
/// by a larger copy while the old one stays readable until ReleaseRetired or
/// Clear. A lookup that runs during an addition may miss the newest
/// component; a step only builds a product it could have taken from the
/// index, and the driver identifies it when it registers the step.
///
/// A slot is 16 bytes (hash and component; the certificate is the
/// component's own) and a table is at most 70 % full: a million components
/// take 16 MiB.
///
/// The index refers to the components' own certificates: a component's
/// certificate never changes while it is indexed (components are never
/// rebuilt, and removing one rebuilds the index).

#include <atomic>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "reactions/generators.h"

namespace korvane {

class TComponentIndex : public TKnownSpecies {
 public:
  TComponentIndex();
  ~TComponentIndex() override;
  TComponentIndex(const TComponentIndex&) = delete;
  TComponentIndex& operator=(const TComponentIndex&) = delete;

  /// The first added component with this certificate, or null.
  TMolecule* Find(std::string_view certificate, std::size_t hash) const override;
  TMolecule* Find(std::string_view certificate) const { return Find(certificate, CertificateHash(certificate)); }
  /// Adds the component unless one with its certificate is held already.
  void Add(TMolecule* component);
  /// Forgets every component. No lookup may run meanwhile.
  void Clear();
  /// Frees the tables that growth replaced, kept so far for lookups under
  /// way. No lookup may run meanwhile.
  void ReleaseRetired();
  /// Bytes of the slots of its tables (the replaced ones until released).
  std::size_t MemoryBytes() const;

 private:
  struct Slot {
    std::atomic<std::size_t> Hash{0};
    std::atomic<TMolecule*> Component{nullptr};  // set last: the slot is in use
  };
  struct Table {
    explicit Table(std::size_t capacity) : Mask(capacity - 1), Slots(new Slot[capacity]) {}
    std::size_t Mask;
    std::unique_ptr<Slot[]> Slots;
  };

  /// Fills the first free slot of the probe sequence; the component's
  /// certificate must not be in the table.
  static void Place(Table& table, std::size_t hash, TMolecule* component);
  void Grow();

  std::atomic<Table*> m_current{nullptr};
  std::vector<std::unique_ptr<Table>> m_tables;  // the current one last; older ones for lookups under way
  std::size_t m_count = 0;
};

}  // namespace korvane
