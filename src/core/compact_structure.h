#pragma once
/// TCompactStructure: what a molecule keeps at rest besides its atom types,
/// in one heap block: its bonds (as TMolecule::Bonds lists them), the
/// unpaired electrons of each atom, the atoms whose aromatic diagonal entry
/// is set, the radical atoms and the certificate.
///
/// A large network holds hundreds of thousands of molecules; as four
/// vectors and a string each, these pieces cost 128 bytes of headers and
/// five heap blocks per molecule, a fifth of the network. Here they cost 24
/// bytes and one block. Every change makes a new block: the pieces are
/// written when a molecule is built and seldom after.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "core/bond_scan.h"

namespace korvane {

class TCompactStructure {
 public:
  TCompactStructure() = default;
  TCompactStructure(const TCompactStructure&) = delete;
  TCompactStructure& operator=(const TCompactStructure&) = delete;

  std::span<const TBondEntry> Bonds() const { return {bonds(), m_bondCount}; }
  std::span<const std::uint8_t> Unpaired() const { return {bytes(0), m_unpairedCount}; }
  std::span<const std::uint8_t> AromaticSelf() const { return {bytes(1), m_aromaticCount}; }
  std::span<const std::uint8_t> RadicalAtoms() const { return {bytes(2), m_radicalCount}; }
  std::string_view Certificate() const {
    return {reinterpret_cast<const char*>(bytes(3)), m_certificateLength};
  }

  /// Replaces every piece. Any argument may lie in this structure. At most
  /// 65535 bonds and 255 entries in each byte piece (a molecule's limits).
  void Assign(std::span<const TBondEntry> bonds, std::span<const std::uint8_t> unpaired,
              std::span<const std::uint8_t> aromaticSelf, std::span<const std::uint8_t> radicalAtoms,
              std::string_view certificate);
  void SetRadicalAtoms(std::span<const std::uint8_t> radicalAtoms) {
    Assign(Bonds(), Unpaired(), AromaticSelf(), radicalAtoms, Certificate());
  }
  void SetCertificate(std::string_view certificate) {
    Assign(Bonds(), Unpaired(), AromaticSelf(), RadicalAtoms(), certificate);
  }
  /// Empties every piece and frees the block.
  void Clear();

  /// Bytes of the block (0 when there is none).
  std::size_t BlockBytes() const;

 private:
  // The block: the bonds, then the unpaired electrons, the aromatic self
  // atoms, the radical atoms and the certificate, each right after the
  // one before (every piece is bytes: TBondEntry has no padding).
  const TBondEntry* bonds() const { return reinterpret_cast<const TBondEntry*>(m_block.get()); }
  /// Start of byte piece `piece` (0 unpaired ... 3 certificate).
  const std::uint8_t* bytes(int piece) const;

  std::unique_ptr<std::uint8_t[]> m_block;
  std::uint32_t m_certificateLength = 0;
  std::uint16_t m_bondCount = 0;
  std::uint8_t m_unpairedCount = 0;
  std::uint8_t m_aromaticCount = 0;
  std::uint8_t m_radicalCount = 0;
};

}  // namespace korvane
