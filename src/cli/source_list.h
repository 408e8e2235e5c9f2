#pragma once
/// Source lists of molecular databases (such as data/hydrocarbons.txt): one
/// species per line, written as a file stem, a SMILES, the molecular formula
/// in Hill order and the synonyms separated by ";" (the rest of the line, so
/// a synonym may contain spaces; the first is the name shown). Lines
/// starting with "#" and empty lines are ignored.

#include <cstddef>
#include <string>
#include <vector>

#include "core/vectors.h"

namespace korvane {

struct SourceListEntry {
  /// Line number in the list, from 1.
  std::size_t Line = 0;
  /// Name of the structure file without ".ms".
  std::string Stem;
  std::string Smiles;
  /// Expected molecular formula (HillFormula), checked against the SMILES.
  std::string Formula;
  TStrVector Synonyms;
};

/// Parses the text of a source list. A line with fewer than four fields,
/// without a synonym, or with a stem that is not a plain file name
/// (letters, digits and ".,+-_", not starting with "."), or a stem used
/// twice, is an InputError naming "<listName>:<line>".
std::vector<SourceListEntry> ParseSourceList(const std::string& text, const std::string& listName);

}  // namespace korvane
