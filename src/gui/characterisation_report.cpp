#include "gui/characterisation_report.h"

#include "core/molecule.h"

namespace korvane::gui {
namespace {

QString BoolText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

template <class Values>
QString Joined(const Values& values, const QString& separator) {
  QStringList parts;
  for (const auto& value : values) parts << QString::number(static_cast<long long>(value));
  return parts.join(separator);
}

// "Title = (", then one "(a; b; c);" line per row, then ")".
template <class Matrix>
void AppendMatrix(QStringList& lines, const QString& title, const Matrix& matrix) {
  lines << title + QStringLiteral(" = (");
  for (std::size_t i = 0; i < matrix.size(); ++i)
    lines << QLatin1Char('(') + Joined(matrix.row(i), QStringLiteral("; ")) + QStringLiteral(");");
  lines << QStringLiteral(")");
}

}  // namespace

QStringList CharacterisationReport(TMolecule& molecule) {
  QStringList lines;
  lines << QStringLiteral("Summary:") << QStringLiteral("-----------") << QString()
        << QStringLiteral("Count of components of continuity: %1").arg(molecule.Components().size())
        << QStringLiteral("Formula:  ") + QString::fromStdString(molecule.Formula()) << QString()
        << QStringLiteral("Invariants:");
  molecule.ComputeInvariants();
  const TInvariants& invariants = molecule.Invariants();
  lines << QStringLiteral("Radical: ") + BoolText(invariants.Radical)
        << QStringLiteral("Cyclic:  ") + BoolText(molecule.IsCyclic())
        << QStringLiteral("Count of atoms:%1").arg(invariants.AtomCount)
        << QStringLiteral("Count Of atoms per type: (") + Joined(invariants.AtomsPerType, QStringLiteral(";")) + ')'
        << QStringLiteral("Graph score I = (") + Joined(invariants.GraphScore1, QStringLiteral(";")) + ')'
        << QStringLiteral("Graph score II = (") + Joined(invariants.GraphScore2, QStringLiteral(";")) + ')' << QString()
        << QStringLiteral("Molecular structure characterisation:")
        << QStringLiteral("Atoms type vector = (") + Joined(molecule.AtomTypes(), QStringLiteral("; ")) + ')'
        << QStringLiteral("Index of atoms that are in cycles: (") +
               Joined(molecule.CycleAtomIndices(), QStringLiteral("; ")) + QStringLiteral(");");
  AppendMatrix(lines, QStringLiteral("Adjacency matrix"), molecule.AdjacencyMatrix());
  AppendMatrix(lines, QStringLiteral("Bonds aromatic character matrix"), molecule.AromaticMatrix());
  AppendMatrix(lines, QStringLiteral("Distance matrix"), molecule.DistanceMatrix());
  AppendMatrix(lines, QStringLiteral("Bonds energy matrix"), molecule.BondEnergyMatrix());
  return lines;
}

}  // namespace korvane::gui
