#include "reactions/component_index.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

// The straight-chain alkyl radical of `carbons` carbons centred on `centre`.
std::string AlkylRadical(int carbons, int centre) {
  std::string atoms, bonds;
  for (int i = 0; i < carbons; ++i) {
    atoms += (i == 0 ? "" : " ") + std::string(i == centre ? "C." : "C");
    if (i > 0) bonds += " " + std::to_string(i - 1) + "-" + std::to_string(i);
  }
  return atoms + ";" + bonds;
}

// The index keeps the first component of each certificate, and other threads
// may look components up while it grows: what they find is always the
// component added with that certificate.
TEST(ComponentIndex, KeepsTheFirstAndAnswersOtherThreadsWhileGrowing) {
  std::vector<std::unique_ptr<TMolecule>> molecules;
  std::size_t hept4yl = 0;
  for (int carbons = 1; carbons <= 40; ++carbons)
    for (int centre = 0; centre < (carbons + 1) / 2; ++centre) {
      if (carbons == 7 && centre == 3) hept4yl = molecules.size();
      molecules.push_back(MoleculeFrom(AlkylRadical(carbons, centre)));
    }
  // Taken from copies: each molecule's own certificate is first computed by
  // the adding thread, as the generation does, so a reader that sees a
  // component before its certificate is a race (ThreadSanitizer finds it).
  std::vector<std::string> certificates;
  for (const auto& molecule : molecules) certificates.emplace_back(molecule->Copy()->Certificate());

  TComponentIndex index;
  std::atomic<bool> adding{true};
  std::atomic<int> wrong{0};
  auto look = [&] {
    do {
      for (std::size_t k = 0; k < molecules.size(); ++k)
        if (const TMolecule* found = index.Find(certificates[k]); found && found != molecules[k].get()) ++wrong;
    } while (adding.load());
  };
  std::thread first(look), second(look);
  for (const auto& molecule : molecules) index.Add(molecule.get());
  adding.store(false);
  first.join();
  second.join();
  EXPECT_EQ(wrong.load(), 0);

  // Every one is found now; a second molecule of a held species is not added.
  const auto again = MoleculeFrom(AlkylRadical(7, 3));  // hept-4-yl once more
  index.Add(again.get());
  for (std::size_t k = 0; k < molecules.size(); ++k) EXPECT_EQ(index.Find(certificates[k]), molecules[k].get()) << k;
  EXPECT_EQ(index.Find(again->Certificate()), molecules[hept4yl].get());
  EXPECT_EQ(index.Find(MoleculeFrom("C C C; 0-1 1=2")->Certificate()), nullptr);
  // The tables growth replaced go once no lookup runs; the current one
  // answers alone.
  const std::size_t withRetired = index.MemoryBytes();
  index.ReleaseRetired();
  EXPECT_LT(index.MemoryBytes(), withRetired);
  for (std::size_t k = 0; k < molecules.size(); ++k) EXPECT_EQ(index.Find(certificates[k]), molecules[k].get()) << k;
  index.Add(again.get());
  EXPECT_EQ(index.Find(again->Certificate()), molecules[hept4yl].get());
  index.Clear();
  EXPECT_EQ(index.Find(certificates.front()), nullptr);
}

}  // namespace
}  // namespace korvane
