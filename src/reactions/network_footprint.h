#pragma once
/// The memory a network takes, estimated from what its components and
/// reactions store, so that a generation run can stop before it exhausts
/// the machine. Each figure models the heap blocks the object owns (as the
/// allocator rounds them) and is cheap: it reads sizes and capacities, it
/// never walks atoms or matrices.
///
/// Checked against release runs of korvane-cli generate on two threads,
/// taking the resident memory of the network as the peak resident set size
/// less that of an ethane run (21.9 MiB of program and libraries):
///   n-hexadecane  9,720 components, 22,437 reactions: estimate 11.6 MiB,
///                 peak RSS 32.7 MiB, network 10.8 MiB (estimate +7 %);
///   n-octadecane  26,980 components, 63,653 reactions: estimate 33.6 MiB,
///                 peak RSS 54.4 MiB, network 32.5 MiB (+3 %);
///   n-eicosane    74,187 components, 178,239 reactions: estimate 96.0 MiB,
///                 peak RSS 111.8 MiB, network 89.9 MiB (+7 %);
///   n-tetracosane 547,618 components, 1,349,747 reactions: estimate
///                 762.7 MiB, peak RSS 752.2 MiB, network 730.3 MiB (+4 %);
///   n-tetracontane, stopped by a memory limit of 2048 MiB (1,408,644
///                 components, 3,158,434 reactions after the closing
///                 recombinations): peak RSS 2249 MiB, network about
///                 2227 MiB (estimate -8 %).
/// The model needs no scaling: what the allocator keeps beyond the live
/// blocks and the steps computed ahead stay within these few per cent.

#include <cstddef>

namespace korvane {

class TMolecule;
class TReaction;

/// Bytes the allocator takes for a request of `bytes` (its header and
/// rounding included); 0 for none.
std::size_t HeapBlockBytes(std::size_t bytes);

/// Heap bytes of one network component as it stays in the network: the
/// object, its atom types, the block of its bonds, unpaired electrons,
/// aromatic and radical atoms and certificate, its name, and the header of
/// its reaction-link block (the entries count with the reactions).
std::size_t ComponentFootprint(const TMolecule& component);

/// Heap bytes of one reaction: the object, its participant and coefficient
/// lists, its recipes, the link entry (reaction and coefficient) each
/// participant holds back to it, and its entry in the equal-reaction index
/// a generation run keeps.
std::size_t ReactionFootprint(const TReaction& reaction);

}  // namespace korvane
