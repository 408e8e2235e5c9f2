#include "core/compact_structure.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <limits>

namespace korvane {

static_assert(sizeof(TBondEntry) == 4 && alignof(TBondEntry) == 1, "bonds are packed as bytes");

const std::uint8_t* TCompactStructure::bytes(int piece) const {
  if (!m_block) return nullptr;
  std::size_t offset = m_bondCount * sizeof(TBondEntry);
  const std::size_t sizes[] = {m_unpairedCount, m_aromaticCount, m_radicalCount};
  for (int k = 0; k < piece; ++k) offset += sizes[k];
  return m_block.get() + offset;
}

void TCompactStructure::Assign(std::span<const TBondEntry> bonds, std::span<const std::uint8_t> unpaired,
                               std::span<const std::uint8_t> aromaticSelf, std::span<const std::uint8_t> radicalAtoms,
                               std::string_view certificate) {
  assert(bonds.size() <= std::numeric_limits<std::uint16_t>::max());
  assert(unpaired.size() <= 255 && aromaticSelf.size() <= 255 && radicalAtoms.size() <= 255);
  const std::size_t bondBytes = bonds.size() * sizeof(TBondEntry);
  const std::size_t total =
      bondBytes + unpaired.size() + aromaticSelf.size() + radicalAtoms.size() + certificate.size();
  // Written into a new block before the old one goes: the arguments may be
  // views of it.
  std::unique_ptr<std::uint8_t[]> block;
  if (total > 0) {
    block = std::make_unique_for_overwrite<std::uint8_t[]>(total);
    std::uint8_t* at = block.get();
    if (!bonds.empty()) std::memcpy(at, bonds.data(), bondBytes);
    at += bondBytes;
    for (std::span<const std::uint8_t> piece : {unpaired, aromaticSelf, radicalAtoms}) {
      std::copy(piece.begin(), piece.end(), at);
      at += piece.size();
    }
    std::copy(certificate.begin(), certificate.end(), at);
  }
  m_block = std::move(block);
  m_bondCount = static_cast<std::uint16_t>(bonds.size());
  m_unpairedCount = static_cast<std::uint8_t>(unpaired.size());
  m_aromaticCount = static_cast<std::uint8_t>(aromaticSelf.size());
  m_radicalCount = static_cast<std::uint8_t>(radicalAtoms.size());
  m_certificateLength = static_cast<std::uint32_t>(certificate.size());
}

void TCompactStructure::Clear() {
  m_block.reset();
  m_bondCount = 0;
  m_unpairedCount = m_aromaticCount = m_radicalCount = 0;
  m_certificateLength = 0;
}

std::size_t TCompactStructure::BlockBytes() const {
  if (!m_block) return 0;
  return m_bondCount * sizeof(TBondEntry) + m_unpairedCount + m_aromaticCount + m_radicalCount +
         m_certificateLength;
}

}  // namespace korvane
