#pragma once
/// TReactionLinks: the reactions a network component takes part in, on two
/// sides ([kFormedIn] and [kConsumedIn], see molecule.h), each with the
/// component's coefficient in that reaction.
///
/// Both sides and their coefficients share one heap block, and the object
/// is 24 bytes: a large network holds hundreds of thousands of components,
/// and four vectors each (96 bytes and four blocks) were a tenth of its
/// memory. A caller that knows every entry to come (a relink) announces them
/// with Expect after Clear, so that the block is allocated once, exactly.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace korvane {

class TReaction;  // defined by the reactions layer; links only refer to reactions

class TReactionLinks {
 public:
  TReactionLinks() = default;
  TReactionLinks(const TReactionLinks&) = delete;
  TReactionLinks& operator=(const TReactionLinks&) = delete;

  /// The reactions of one side, in the order they were linked. Non-owning.
  std::span<TReaction* const> operator[](int side) const { return {reactions(side), m_count[side]}; }
  /// The component's coefficient in each reaction of operator[](side).
  std::span<const std::int32_t> Coefficients(int side) const { return {coefficients(side), m_count[side]}; }

  /// Appends an entry to one side.
  void Add(int side, TReaction* reaction, std::int32_t coefficient);
  /// Inserts an entry before position `position` (at most the side's size).
  void Insert(int side, std::size_t position, TReaction* reaction, std::int32_t coefficient);
  /// Removes the entry at `position`.
  void Erase(int side, std::size_t position);
  /// Counts one entry that an Add will bring to the side; the first Add
  /// after Clear allocates room for every entry counted. Ignored while the
  /// links hold a block.
  void Expect(int side);
  /// Removes every entry and frees the block.
  void Clear();

 private:
  // The block holds the reactions of side 0, those of side 1 (each side its
  // capacity), then the coefficients in the same order. Null when no entry
  // is held; m_capacity is then the room Expect asked for.
  TReaction** reactions(int side) const;
  std::int32_t* coefficients(int side) const;
  void reallocate(std::uint32_t formed, std::uint32_t consumed);
  void makeRoom(int side);

  std::unique_ptr<std::byte[]> m_block;
  std::uint32_t m_count[2] = {0, 0};
  std::uint32_t m_capacity[2] = {0, 0};
};

}  // namespace korvane
