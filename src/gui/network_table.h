#pragma once
/// The cells of the "Table" views of the network window's "Components" and
/// "Reactions" pages, read from the network when a cell is first asked for.
/// Qt-free: texts use "." as decimal separator, as the clipboard and CSV
/// files get them; the table model formats numbers for the screen.

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reactions/reaction_network.h"

namespace korvane::gui {

struct TableColumn {
  std::string Caption;
  /// Sorted by value and shown in the user's number format.
  bool Numeric = false;
  /// Width on the screen, in digits.
  int Width = 8;
};

/// Missing cells of a column above which sorting by it asks first.
inline constexpr std::size_t kSlowSortCells = 20000;

/// Whether `text` contains `needle`, ASCII letters compared without case;
/// an empty needle is in every text.
bool ContainsText(std::string_view text, std::string_view needle);

/// Rings of a connected molecule: bonds - atoms + 1 (0 for a chain).
int RingCount(const TMolecule& molecule);
/// Reactions the molecule takes part in, each counted once.
int ReactionCountOf(const TMolecule& molecule);
/// The component's name, or its Hill formula while it is named "Noname".
std::string ComponentLabel(const TMolecule& component);
/// "C6H14 + H => C6H13 + H2": the participants by ComponentLabel, with
/// the coefficients divided by their common divisor (a folded reaction's
/// multiplicity) and a coefficient other than 1 in front ("2 CH3").
std::string EquationText(const TReaction& reaction);

/// One table: a row per listed component or reaction, in network order.
/// The rows refer to the network's objects, so a source must be dropped
/// when the network changes and never read while a run may change it.
class TableSource {
 public:
  explicit TableSource(std::vector<int> positions) : m_positions(std::move(positions)) {}
  virtual ~TableSource() = default;

  virtual const std::vector<TableColumn>& Columns() const = 0;
  std::size_t RowCount() const { return m_positions.size(); }
  /// Position in the network's component or reaction list of row `row`.
  int Position(std::size_t row) const { return m_positions[row]; }
  /// The cell as text; numbers in shortest form with ".".
  virtual std::string Text(std::size_t row, int column) = 0;
  /// The value of a cell of a numeric column.
  virtual double Number(std::size_t row, int column) = 0;
  /// Whether the row's names, formulas or SMILES contain `needle`.
  virtual bool Matches(std::size_t row, std::string_view needle) = 0;
  /// Whether the row is that component, or a reaction it takes part in.
  virtual bool Involves(std::size_t row, const TMolecule& component) const = 0;
  /// Makes up to `count` SMILES not made yet, in row order; returns how
  /// many rows still lack theirs. Sources without SMILES have nothing to make.
  virtual std::size_t Prepare(std::size_t) { return 0; }
  /// Cells of the column that take a walk over the network and are not
  /// computed yet (absolute selectivities); sorting by it computes them.
  virtual std::size_t Missing(int) const { return 0; }

 protected:
  std::string numberText(double value) const;

 private:
  std::vector<int> m_positions;
};

enum ComponentColumn { kComponentIndex, kComponentName, kComponentFormula, kComponentSmiles, kComponentMass,
                       kComponentRadical, kComponentRings, kComponentCarbons, kComponentFeed, kComponentReactions };

/// Components: index, name, Hill formula, canonical SMILES, molar mass,
/// radical, rings, carbon count, feed flag, number of reactions. SMILES
/// are the slow cells: each is made once, on first use, by `smiles`.
class ComponentTableSource : public TableSource {
 public:
  /// Canonical SMILES of a molecule, or "-" when none names it.
  using SmilesWriter = std::function<std::string(const TMolecule&)>;

  /// Non-owning: `network` outlives the source.
  ComponentTableSource(const TReactionNetwork& network, std::vector<int> positions, SmilesWriter smiles);

  const std::vector<TableColumn>& Columns() const override;
  std::string Text(std::size_t row, int column) override;
  double Number(std::size_t row, int column) override;
  bool Matches(std::size_t row, std::string_view needle) override;
  bool Involves(std::size_t row, const TMolecule& component) const override;
  std::size_t Prepare(std::size_t count) override;

 private:
  const TMolecule& component(std::size_t row) const;
  const std::string& formula(std::size_t row);
  const std::string& smiles(std::size_t row);

  const TReactionNetwork& m_network;
  SmilesWriter m_writer;
  std::vector<std::string> m_formulas;
  std::vector<std::optional<std::string>> m_smiles;
  std::size_t m_firstMissing = 0;
};

enum ReactionColumn { kReactionIndex, kReactionEquation, kReactionType, kReactionEnergy, kReactionFactor,
                      kReactionRate, kReactionProjecting, kReactionAfterFilter, kReactionAbsolute };

/// Reactions: index, equation, type, E, A, k at the network's normalised
/// temperature, projecting, after-filter and absolute selectivity. The
/// absolute selectivity walks the network (a millisecond or more in a
/// large one): each is computed once, when shown or sorted by.
class ReactionTableSource : public TableSource {
 public:
  /// Non-owning; the network is not const because the absolute
  /// selectivity's walk marks the reactions it visits.
  ReactionTableSource(TReactionNetwork& network, std::vector<int> positions);

  const std::vector<TableColumn>& Columns() const override;
  std::string Text(std::size_t row, int column) override;
  double Number(std::size_t row, int column) override;
  bool Matches(std::size_t row, std::string_view needle) override;
  bool Involves(std::size_t row, const TMolecule& component) const override;
  std::size_t Missing(int column) const override;

 private:
  const TReaction& reaction(std::size_t row) const;
  /// Hill formula of a participant, made once per component.
  const std::string& formula(const TMolecule& component);

  TReactionNetwork& m_network;
  std::vector<std::string> m_formulas;  // by component position
  std::vector<double> m_absolute;       // NaN until computed
};

}  // namespace korvane::gui
