#include "reactions/kinetic_parameters.h"

namespace korvane {

std::string AlternativeParameterDefaultNote(int i) { return "p[" + std::to_string(i) + "]"; }

void TKineticParameterSet::ResetToDefaults() {
  Table = kKineticParameterDefaults;
  RadicalActivity = TRadicalActivity{};
  AlternativeValues.fill(0.0);
  for (int i = 0; i < kAlternativeParameterCount; ++i) AlternativeNotes[i] = AlternativeParameterDefaultNote(i);
}

TKineticParameterSet& KineticParameters() {
  static TKineticParameterSet set;
  return set;
}

}  // namespace korvane
