#include "core/compact_structure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

template <class T>
std::vector<T> Items(std::span<const T> items) {
  return {items.begin(), items.end()};
}

// Each piece reads back as given, also at a molecule's limits, where the
// byte pieces and the bonds border each other in the block.
TEST(CompactStructure, KeepsEveryPieceApartAtTheLimits) {
  std::vector<TBondEntry> bonds;
  for (int k = 0; k < 300; ++k)
    bonds.push_back({static_cast<std::uint8_t>(k % 255 + 1), static_cast<std::uint8_t>(k % 7),
                     static_cast<std::uint8_t>(k % 3 + 1), k % 2 == 0});
  std::vector<std::uint8_t> unpaired(255), aromatic{3, 4}, radicals;
  for (std::size_t i = 0; i < unpaired.size(); ++i) unpaired[i] = static_cast<std::uint8_t>(i % 3);
  for (std::size_t i = 0; i < unpaired.size(); ++i)
    if (unpaired[i] != 0) radicals.push_back(static_cast<std::uint8_t>(i));
  const std::string certificate(300, 'c');

  TCompactStructure stored;
  stored.Assign(bonds, unpaired, aromatic, {}, certificate);
  stored.SetRadicalAtoms(radicals);
  ASSERT_EQ(stored.Bonds().size(), bonds.size());
  for (std::size_t k = 0; k < bonds.size(); ++k) {
    const TBondEntry& bond = stored.Bonds()[k];
    EXPECT_TRUE(bond.Row == bonds[k].Row && bond.Column == bonds[k].Column && bond.Order == bonds[k].Order &&
                bond.Aromatic == bonds[k].Aromatic)
        << k;
  }
  EXPECT_EQ(Items(stored.Unpaired()), unpaired);
  EXPECT_EQ(Items(stored.AromaticSelf()), aromatic);
  EXPECT_EQ(Items(stored.RadicalAtoms()), radicals);
  EXPECT_EQ(stored.Certificate(), certificate);
  EXPECT_EQ(stored.BlockBytes(), 4 * bonds.size() + unpaired.size() + aromatic.size() + radicals.size() + 300);
}

// A new certificate replaces the old one and nothing else; a structure
// without pieces holds no block.
TEST(CompactStructure, ReplacesOnePieceAndEmpties) {
  TCompactStructure stored;
  EXPECT_TRUE(stored.Bonds().empty() && stored.Unpaired().empty() && stored.Certificate().empty());
  EXPECT_EQ(stored.BlockBytes(), 0u);
  const std::vector<TBondEntry> bonds = {{1, 0, 1, false}, {2, 1, 2, false}};
  const std::vector<std::uint8_t> unpaired = {1, 0, 0};
  stored.Assign(bonds, unpaired, {}, std::vector<std::uint8_t>{0}, "first");
  stored.SetCertificate("a longer second one");
  EXPECT_EQ(stored.Certificate(), "a longer second one");
  EXPECT_EQ(Items(stored.Unpaired()), unpaired);
  EXPECT_EQ(Items(stored.RadicalAtoms()), std::vector<std::uint8_t>{0});
  EXPECT_EQ(stored.Bonds()[1].Order, 2);
  stored.SetCertificate({});
  EXPECT_TRUE(stored.Certificate().empty());
  EXPECT_EQ(stored.Bonds().size(), 2u);
  stored.Clear();
  EXPECT_TRUE(stored.Bonds().empty() && stored.Unpaired().empty() && stored.RadicalAtoms().empty());
  EXPECT_EQ(stored.BlockBytes(), 0u);
}

}  // namespace
}  // namespace korvane
