#include "app/network_session.h"

#include <gtest/gtest.h>

#include "../database/database_test_support.h"
#include "database/mol_structure_file.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane {
namespace {

using namespace testing;

// n-hexane with propene beside it, generated: a named component, a
// hand-edited reaction with explicit kinetics, selectivities of every kind.
std::unique_ptr<TReactionNetwork> HexaneAndPropene() {
  auto network = std::make_unique<TReactionNetwork>(TNetworkPreferences{.NormTemperature = 1100.0});
  AddFeed(*network, LinearAlkane(6))->Name = "n-hexane";
  AddFeed(*network, "C C C; 0-1 1=2");
  network->Generate();
  network->Reaction(3)->ExplicitKinetics = true;
  network->Reaction(3)->ActEnergy = 230.0;
  return network;
}

// A snapshot puts back everything a network holds (also the projecting
// selectivities a file forgets, and after-filter ones left out of date on
// purpose), in far less memory than the network file.
TEST(NetworkSnapshot, RestoresTheWholeNetworkCompactly) {
  const auto original = HexaneAndPropene();
  original->Reaction(0)->SelectivityAfterFilter = 0.125;
  const TNetworkSnapshot snapshot = TNetworkSnapshot::Capture(*original);
  TReactionNetwork restored;
  restored.SetComponentLimit(77);
  snapshot.Restore(restored);
  EXPECT_EQ(CompareNetworks(restored, *original), "");
  EXPECT_EQ(CheckNetwork(restored), "");
  EXPECT_EQ(restored.RootIndices(), original->RootIndices());
  EXPECT_EQ(restored.HydrogenAtom(), restored.Component(0));
  EXPECT_EQ(restored.ComponentLimit(), 77u);
  EXPECT_LT(snapshot.Size() * 3, EncodeNetworkFile(*original, "")->size());

  // Restoring over a changed network gives the same.
  restored.RemoveComponent(4);
  snapshot.Restore(restored);
  EXPECT_EQ(CompareNetworks(restored, *original), "");
}

// The history forgets its oldest steps past its limit, the redo side when a
// new step is recorded, and keeps no step larger than the limit.
TEST(UndoHistory, StaysWithinItsLimit) {
  TReactionNetwork small;
  const TNetworkSnapshot state = TNetworkSnapshot::Capture(small);
  TUndoHistory history(3 * state.Size());
  for (const char* label : {"a", "b", "c", "d"}) history.Record({label, state, 0});
  EXPECT_EQ(history.UndoCount(), 3u);
  EXPECT_EQ(history.UndoLabel(), "d");
  EXPECT_EQ(history.Size(), 3 * state.Size());
  history.PushRedo(history.TakeUndo());
  history.PushRedo(history.TakeUndo());
  EXPECT_EQ(history.UndoLabel(), "b");
  EXPECT_EQ(history.RedoLabel(), "c");
  history.Record({"e", state, 0});
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.Size(), 2 * state.Size());
  history.SetLimit(state.Size() - 1);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(history.Size(), 0u);
}

// Edits, a save, undo and redo: the session knows whether the network is
// the one its file holds, and takes each step back exactly.
TEST(NetworkSession, KnowsWhetherTheNetworkIsSavedThroughEditsUndoAndRedo) {
  ScratchDir dir;
  TNetworkSession session(HexaneAndPropene());
  EXPECT_FALSE(session.IsModified());
  EXPECT_FALSE(session.CanUndo());
  TNetworkSnapshot generated = TNetworkSnapshot::Capture(session.Network());

  ASSERT_TRUE(session.Edit("Remove component", [](TReactionNetwork& network) {
    network.RemoveComponent(4);
    return true;
  }));
  EXPECT_TRUE(session.IsModified());
  EXPECT_EQ(session.UndoLabel(), "Remove component");
  ASSERT_TRUE(session.Edit("Rename component", [](TReactionNetwork&) { return false; }));
  EXPECT_EQ(session.UndoLabel(), "Remove component");  // nothing changed: no step

  const std::string path = dir.file("saved.rnw");
  ASSERT_TRUE(session.Save(path, "a note"));
  EXPECT_FALSE(session.IsModified());
  EXPECT_EQ(session.FileName(), path);
  EXPECT_EQ(session.Note(), "a note");
  TNetworkSnapshot removed = TNetworkSnapshot::Capture(session.Network());

  ASSERT_TRUE(session.Undo());
  EXPECT_TRUE(session.IsModified());
  EXPECT_EQ(session.RedoLabel(), "Remove component");
  TReactionNetwork expected;
  generated.Restore(expected);
  EXPECT_EQ(CompareNetworks(session.Network(), expected), "");
  EXPECT_EQ(session.Undo().error().Message, "There is nothing to undo.");

  ASSERT_TRUE(session.Redo());
  EXPECT_FALSE(session.IsModified());  // the saved state again
  removed.Restore(expected);
  EXPECT_EQ(CompareNetworks(session.Network(), expected), "");

  // A failed save (a folder in the file's place) changes nothing.
  const auto failed = session.Save(dir.path().string(), "other");
  ASSERT_FALSE(failed);
  EXPECT_EQ(failed.error().Code, TErrorCode::FileSystem);
  EXPECT_EQ(session.FileName(), path);
  EXPECT_EQ(session.Note(), "a note");
}

// While a command holds the lease every other command is refused, naming
// the command; a stop reaches only the command that holds the lease, so a
// stop that comes after a run never ends the next one.
TEST(NetworkSession, TheLeaseRefusesOtherCommandsAndCarriesItsOwnStop) {
  TNetworkSession session;
  AddFeed(session.Network(), LinearAlkane(4));
  {
    auto exporting = session.TryLease("Export graph of reaction network");
    ASSERT_TRUE(exporting);
    EXPECT_TRUE(session.IsBusy());
    const auto refused = session.Edit("Remove component", [](TReactionNetwork&) { return true; });
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().Code, TErrorCode::Busy);
    EXPECT_EQ(refused.error().Message,
              "The reaction network is busy with \"Export graph of reaction network\". Wait until it ends, or "
              "cancel it, before you work with this network.");
    EXPECT_FALSE(session.Save("x.rnw", ""));
    EXPECT_FALSE(session.Undo());
    session.RequestStop();
    EXPECT_TRUE(exporting.value().StopRequested());
  }
  EXPECT_FALSE(session.IsBusy());
  session.RequestStop();  // nothing under way: nothing to stop

  auto run = session.TryLease(kGenerationCommand);
  ASSERT_TRUE(run);
  EXPECT_FALSE(run.value().StopRequested());
  EXPECT_EQ(session.TryLease("Save reaction network to file").error().Message,
            "The reaction network is being generated. Wait until the generation ends, or stop it, before you work "
            "with this network.");
  EXPECT_EQ(session.Generate(run.value()).End, TGenerationEnd::Completed);
  EXPECT_TRUE(session.IsModified());
  EXPECT_EQ(session.UndoLabel(), "Generation");
}

// A run is one step: undone, the network is the one before it; redone, the
// one it made.
TEST(NetworkSession, AGenerationRunIsUndoable) {
  TNetworkSession session;
  AddFeed(session.Network(), LinearAlkane(5));
  const TNetworkSnapshot before = TNetworkSnapshot::Capture(session.Network());
  {
    auto lease = session.TryLease(kGenerationCommand);
    session.Generate(lease.value());
  }
  const TNetworkSnapshot after = TNetworkSnapshot::Capture(session.Network());
  TReactionNetwork expected;
  ASSERT_TRUE(session.Undo());
  before.Restore(expected);
  EXPECT_EQ(CompareNetworks(session.Network(), expected), "");
  EXPECT_FALSE(session.IsModified());
  ASSERT_TRUE(session.Redo());
  after.Restore(expected);
  EXPECT_EQ(CompareNetworks(session.Network(), expected), "");
}

// Fusion reads its sources: a busy source refuses it, and a done fusion is
// one step.
TEST(NetworkSession, FusionIsRefusedWhileASourceIsBusyAndIsUndoable) {
  TNetworkSession destination, source;
  AddFeed(destination.Network(), LinearAlkane(2));
  AddFeed(source.Network(), LinearAlkane(3));
  for (TNetworkSession* each : {&destination, &source}) {
    auto lease = each->TryLease(kGenerationCommand);
    each->Generate(lease.value());
  }
  const std::size_t components = destination.Network().ComponentCount();
  {
    auto busy = source.TryLease("Export equations");
    const auto refused = destination.Fuse({&source});
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().Code, TErrorCode::Busy);
  }
  const auto added = destination.Fuse({&source});
  ASSERT_TRUE(added);
  EXPECT_GT(added.value().Components, 0u);
  EXPECT_EQ(destination.Network().ComponentCount(), components + added.value().Components);
  EXPECT_EQ(destination.UndoLabel(), "Fusion");
  ASSERT_TRUE(destination.Undo());
  EXPECT_EQ(destination.Network().ComponentCount(), components);
}

// A fusion on a worker holds its sources through their leases; stopped, it
// is refused with its message and leaves neither a step nor a change.
TEST(NetworkSession, AStoppedFusionLeavesNoStepAndNoChange) {
  TNetworkSession destination, source;
  AddFeed(destination.Network(), LinearAlkane(2));
  AddFeed(source.Network(), LinearAlkane(6));
  source.Network().Generate();
  auto sourceLeases = TNetworkSession::LeaseFusionSources(destination, {&source, &destination, &source, nullptr});
  ASSERT_TRUE(sourceLeases);
  ASSERT_EQ(sourceLeases.value().size(), 1u);
  EXPECT_EQ(source.BusyCommand(), "Fusion");
  auto lease = destination.TryLease("Fusion");
  const std::uint64_t state = destination.StateId();
  const auto stopped =
      destination.Fuse(lease.value(), sourceLeases.value(), [&](std::size_t, std::size_t) { destination.RequestStop(); });
  ASSERT_FALSE(stopped);
  EXPECT_EQ(stopped.error().Code, TErrorCode::Refused);
  EXPECT_EQ(stopped.error().Message, kFusionCancelled);
  EXPECT_EQ(destination.Network().ComponentCount(), 5u);
  EXPECT_EQ(destination.StateId(), state);
  EXPECT_FALSE(destination.CanUndo());
}

// Components found in a database take their item's first synonym; an item
// without synonyms names nothing (and crashes nothing).
TEST(NetworkSession, NamesComponentsFromADatabaseItemsWithoutSynonymsIncluded) {
  ScratchDir dir;
  TDBCoordinator database;
  database.SetDBFileName(dir.file("names.mdb"));
  for (const auto& [description, synonyms] :
       {std::pair{LinearAlkane(2), TStrVector{}}, std::pair{LinearAlkane(3), TStrVector{"propane", "C3"}}}) {
    const auto molecule = MoleculeFrom(description);
    const std::string file = dir.file("structures/" + std::to_string(molecule->AtomCount()) + ".ms");
    const TMolCharacterisation structure{1, molecule->AdjacencyMatrix(), molecule->AtomTypes(),
                                         molecule->AromaticMatrix()};
    ASSERT_TRUE(WriteMolStructureFile(structure, file));
    ASSERT_TRUE(database.AddItem({synonyms, file, {}}));
  }
  database.BuildMolecules();

  TNetworkSession session;
  AddFeed(session.Network(), LinearAlkane(3));
  AddFeed(session.Network(), LinearAlkane(2));
  const auto named = session.NameComponents(database);
  ASSERT_TRUE(named);
  EXPECT_EQ(named.value(), 1u);
  EXPECT_EQ(session.Network().Component(4)->Name, "propane");
  EXPECT_EQ(session.Network().Component(5)->Name, "Noname");
  EXPECT_EQ(session.UndoLabel(), "Name components (DB)");
  EXPECT_EQ(session.NameComponents(database).value(), 0u);  // nothing new: no step
  ASSERT_TRUE(session.Undo());
  EXPECT_EQ(session.Network().Component(4)->Name, "Noname");
}

}  // namespace
}  // namespace korvane
