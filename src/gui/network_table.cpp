#include "gui/network_table.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "core/formula.h"
#include "reactions/kinpar_file.h"
#include "reactions/recipes.h"

namespace korvane::gui {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "Noname" is no name: searching "name" must not find every unnamed component.
bool NameContains(const TMolecule& component, std::string_view needle) {
  return component.Name != "Noname" && ContainsText(component.Name, needle);
}

std::string BooleanCell(bool value) { return value ? "True" : "False"; }

template <class Label>
void AppendSide(std::string& text, const TReactionSide& side, const TSideCoefficients& coefficients, int divisor,
                Label label) {
  for (std::size_t i = 0; i < side.size(); ++i) {
    if (i > 0) text += " + ";
    const int coefficient = i < coefficients.size() ? std::abs(coefficients[i]) / divisor : 1;
    if (coefficient != 1) text += std::to_string(coefficient) + ' ';
    text += label(*side[i]);
  }
}

// Folded equal reactions carry their multiplicity in every coefficient
// (propane's six methyl hydrogens: -6, 6, 6); the equation shows the
// smallest whole numbers.
template <class Label>
std::string Equation(const TReaction& reaction, Label label) {
  int divisor = 0;
  for (const TSideCoefficients* side : {&reaction.ReactantCoefs, &reaction.ProductCoefs})
    for (const std::int32_t coefficient : *side) divisor = std::gcd(divisor, std::abs(coefficient));
  divisor = std::max(divisor, 1);
  std::string text;
  AppendSide(text, reaction.Reactants, reaction.ReactantCoefs, divisor, label);
  text += " => ";
  AppendSide(text, reaction.Products, reaction.ProductCoefs, divisor, label);
  return text;
}

}  // namespace

bool ContainsText(std::string_view text, std::string_view needle) {
  return std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                     [](char a, char b) { return Lower(a) == Lower(b); }) != text.end();
}

int RingCount(const TMolecule& molecule) {
  const auto atoms = static_cast<int>(molecule.AtomCount());
  return atoms == 0 ? 0 : std::max(0, static_cast<int>(molecule.Bonds().size()) - atoms + 1);
}

int ReactionCountOf(const TMolecule& molecule) {
  std::vector<const TReaction*> reactions(molecule.ReactionLinks[kFormedIn].begin(),
                                          molecule.ReactionLinks[kFormedIn].end());
  reactions.insert(reactions.end(), molecule.ReactionLinks[kConsumedIn].begin(),
                   molecule.ReactionLinks[kConsumedIn].end());
  std::sort(reactions.begin(), reactions.end());
  return static_cast<int>(std::unique(reactions.begin(), reactions.end()) - reactions.begin());
}

std::string ComponentLabel(const TMolecule& component) {
  return component.Name == "Noname" ? HillFormula(component) : component.Name;
}

std::string EquationText(const TReaction& reaction) { return Equation(reaction, ComponentLabel); }

std::string TableSource::numberText(double value) const { return FormatKinparNumber(value, '.'); }

// ----- components -----

ComponentTableSource::ComponentTableSource(const TReactionNetwork& network, std::vector<int> positions,
                                           SmilesWriter smiles)
    : TableSource(std::move(positions)), m_network(network), m_writer(std::move(smiles)) {
  m_formulas.resize(RowCount());
  m_smiles.resize(RowCount());
}

const std::vector<TableColumn>& ComponentTableSource::Columns() const {
  static const std::vector<TableColumn> columns{
      {"#", true, 6},          {"Name", false, 11}, {"Formula", false, 9}, {"SMILES", false, 19},
      {"Molar mass (g/mol)", true, 16}, {"Radical", false, 7}, {"Rings", true, 6}, {"Carbons", true, 7},
      {"Feed", false, 6},      {"Reactions", true, 9}};
  return columns;
}

const TMolecule& ComponentTableSource::component(std::size_t row) const {
  return *m_network.Component(static_cast<std::size_t>(Position(row)));
}

const std::string& ComponentTableSource::formula(std::size_t row) {
  if (m_formulas[row].empty()) m_formulas[row] = HillFormula(component(row));
  return m_formulas[row];
}

const std::string& ComponentTableSource::smiles(std::size_t row) {
  if (!m_smiles[row]) m_smiles[row] = m_writer(component(row));
  return *m_smiles[row];
}

std::size_t ComponentTableSource::Prepare(std::size_t count) {
  for (; m_firstMissing < RowCount() && count > 0; ++m_firstMissing) {
    if (m_smiles[m_firstMissing]) continue;
    smiles(m_firstMissing);
    --count;
  }
  return static_cast<std::size_t>(std::count(m_smiles.begin() + static_cast<std::ptrdiff_t>(m_firstMissing),
                                             m_smiles.end(), std::nullopt));
}

std::string ComponentTableSource::Text(std::size_t row, int column) {
  const TMolecule& molecule = component(row);
  switch (column) {
    case kComponentName: return molecule.Name;
    case kComponentFormula: return formula(row);
    case kComponentSmiles: return smiles(row);
    case kComponentRadical: return BooleanCell(molecule.IsRadical());
    case kComponentFeed: return BooleanCell(m_network.IsRoot(&molecule));
    default: return numberText(Number(row, column));
  }
}

double ComponentTableSource::Number(std::size_t row, int column) {
  const TMolecule& molecule = component(row);
  switch (column) {
    case kComponentIndex: return Position(row);
    case kComponentMass: return molecule.MolarMass();
    case kComponentRings: return RingCount(molecule);
    case kComponentCarbons: return molecule.CarbonNumber();
    case kComponentReactions: return ReactionCountOf(molecule);
    default: return 0.0;
  }
}

bool ComponentTableSource::Matches(std::size_t row, std::string_view needle) {
  return NameContains(component(row), needle) || ContainsText(formula(row), needle) ||
         ContainsText(smiles(row), needle);
}

bool ComponentTableSource::Involves(std::size_t row, const TMolecule& candidate) const {
  return &component(row) == &candidate;
}

// ----- reactions -----

ReactionTableSource::ReactionTableSource(TReactionNetwork& network, std::vector<int> positions)
    : TableSource(std::move(positions)), m_network(network) {
  m_formulas.resize(network.ComponentCount());
  m_absolute.assign(RowCount(), std::numeric_limits<double>::quiet_NaN());
}

const std::vector<TableColumn>& ReactionTableSource::Columns() const {
  static const std::vector<TableColumn> columns{{"#", true, 6},
                                                {"Equation", false, 25},
                                                {"Type", false, 15},
                                                {"E*/(kJ/mol)", true, 10},
                                                {"A", true, 15},
                                                {"k", true, 17},
                                                {"Projecting s", true, 12},
                                                {"After filter s", true, 12},
                                                {"Absolute s", true, 12}};
  return columns;
}

const TReaction& ReactionTableSource::reaction(std::size_t row) const {
  return *m_network.Reaction(static_cast<std::size_t>(Position(row)));
}

const std::string& ReactionTableSource::formula(const TMolecule& component) {
  std::string& kept = m_formulas[static_cast<std::size_t>(component.ID)];
  if (kept.empty()) kept = HillFormula(component);
  return kept;
}

std::string ReactionTableSource::Text(std::size_t row, int column) {
  switch (column) {
    case kReactionEquation:
      return Equation(reaction(row), [this](const TMolecule& component) -> const std::string& {
        return component.Name == "Noname" ? formula(component) : component.Name;
      });
    case kReactionType: return ReactionTypeName(reaction(row).ReactionType);
    default: return numberText(Number(row, column));
  }
}

double ReactionTableSource::Number(std::size_t row, int column) {
  const TReaction& r = reaction(row);
  switch (column) {
    case kReactionIndex: return Position(row);
    case kReactionEnergy: return r.ActEnergy;
    case kReactionFactor: return r.FreqFactor;
    case kReactionRate:
      return RateConstant(r.FreqFactor, r.ActEnergy, m_network.GetPreferences().NormTemperature);
    case kReactionProjecting: return r.Selectivity;
    case kReactionAfterFilter: return r.SelectivityAfterFilter;
    case kReactionAbsolute:
      if (std::isnan(m_absolute[row])) m_absolute[row] = m_network.AbsoluteSelectivity(static_cast<std::size_t>(Position(row)));
      return m_absolute[row];
    default: return 0.0;
  }
}

bool ReactionTableSource::Matches(std::size_t row, std::string_view needle) {
  const TReaction& r = reaction(row);
  for (const TReactionSide* side : {&r.Reactants, &r.Products})
    for (const TMolecule* participant : *side)
      if (NameContains(*participant, needle) || ContainsText(formula(*participant), needle)) return true;
  return false;
}

std::size_t ReactionTableSource::Missing(int column) const {
  if (column != kReactionAbsolute) return 0;
  return static_cast<std::size_t>(
      std::count_if(m_absolute.begin(), m_absolute.end(), [](double value) { return std::isnan(value); }));
}

bool ReactionTableSource::Involves(std::size_t row, const TMolecule& component) const {
  return reaction(row).HasReactant(&component) || reaction(row).HasProduct(&component);
}

}  // namespace korvane::gui
