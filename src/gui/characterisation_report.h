#pragma once
/// The characterisation report of a molecule that the database editor's
/// "More info" writes: summary, invariants and the molecule's matrices.

#include <QStringList>

namespace korvane {
class TMolecule;
}

namespace korvane::gui {

/// The report's lines in order. Refreshes the molecule's invariants first,
/// as the report promises.
QStringList CharacterisationReport(TMolecule& molecule);

}  // namespace korvane::gui
