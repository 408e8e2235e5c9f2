#include "core/reaction_links.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace korvane {

TReaction** TReactionLinks::reactions(int side) const {
  if (!m_block) return nullptr;
  return reinterpret_cast<TReaction**>(m_block.get()) + (side == 0 ? 0 : m_capacity[0]);
}

std::int32_t* TReactionLinks::coefficients(int side) const {
  if (!m_block) return nullptr;
  auto* first = reinterpret_cast<std::int32_t*>(reinterpret_cast<TReaction**>(m_block.get()) + m_capacity[0] +
                                                m_capacity[1]);
  return first + (side == 0 ? 0 : m_capacity[0]);
}

void TReactionLinks::reallocate(std::uint32_t formed, std::uint32_t consumed) {
  const std::size_t slots = std::size_t{formed} + consumed;
  auto block = std::make_unique_for_overwrite<std::byte[]>(slots * (sizeof(TReaction*) + sizeof(std::int32_t)));
  auto* newReactions = reinterpret_cast<TReaction**>(block.get());
  auto* newCoefficients = reinterpret_cast<std::int32_t*>(newReactions + slots);
  const std::uint32_t capacity[2] = {formed, consumed};
  for (int side : {0, 1}) {
    const std::size_t offset = side == 0 ? 0 : formed;
    if (m_count[side] == 0) continue;
    std::memcpy(newReactions + offset, reactions(side), m_count[side] * sizeof(TReaction*));
    std::memcpy(newCoefficients + offset, coefficients(side), m_count[side] * sizeof(std::int32_t));
  }
  m_block = std::move(block);
  m_capacity[0] = capacity[0];
  m_capacity[1] = capacity[1];
}

void TReactionLinks::makeRoom(int side) {
  if (m_block && m_count[side] < m_capacity[side]) return;
  // Without a block the capacities are the room Expect counted, allocated
  // at once; a full side doubles.
  std::uint32_t capacity[2] = {m_capacity[0], m_capacity[1]};
  if (m_count[side] == capacity[side]) capacity[side] = std::max<std::uint32_t>(2, 2 * capacity[side]);
  reallocate(capacity[0], capacity[1]);
}

void TReactionLinks::Add(int side, TReaction* reaction, std::int32_t coefficient) {
  makeRoom(side);
  reactions(side)[m_count[side]] = reaction;
  coefficients(side)[m_count[side]] = coefficient;
  ++m_count[side];
}

void TReactionLinks::Insert(int side, std::size_t position, TReaction* reaction, std::int32_t coefficient) {
  assert(position <= m_count[side]);
  makeRoom(side);
  TReaction** links = reactions(side);
  std::int32_t* values = coefficients(side);
  std::copy_backward(links + position, links + m_count[side], links + m_count[side] + 1);
  std::copy_backward(values + position, values + m_count[side], values + m_count[side] + 1);
  links[position] = reaction;
  values[position] = coefficient;
  ++m_count[side];
}

void TReactionLinks::Erase(int side, std::size_t position) {
  assert(position < m_count[side]);
  TReaction** links = reactions(side);
  std::int32_t* values = coefficients(side);
  std::copy(links + position + 1, links + m_count[side], links + position);
  std::copy(values + position + 1, values + m_count[side], values + position);
  --m_count[side];
}

void TReactionLinks::Expect(int side) {
  if (!m_block) ++m_capacity[side];
}

void TReactionLinks::Clear() {
  m_block.reset();
  m_count[0] = m_count[1] = 0;
  m_capacity[0] = m_capacity[1] = 0;
}

}  // namespace korvane
