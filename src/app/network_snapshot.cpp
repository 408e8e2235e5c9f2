#include "app/network_snapshot.h"

#include <zlib.h>

#include <cstring>
#include <limits>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

namespace korvane {
namespace {

// Fast compression: a snapshot is taken before every command, and the bytes
// (mostly small integers and repeated names) shrink well even at level 1.
constexpr int kCompressionLevel = 1;

class Packer {
 public:
  template <class T>
  void put(T value) {
    static_assert(std::is_trivially_copyable_v<T>);
    const auto at = m_bytes.size();
    m_bytes.resize(at + sizeof value);
    std::memcpy(m_bytes.data() + at, &value, sizeof value);
  }
  void text(std::string_view value) {
    put(static_cast<std::uint32_t>(value.size()));
    m_bytes.insert(m_bytes.end(), value.begin(), value.end());
  }
  void bytes(std::span<const std::uint8_t> values) {
    m_bytes.insert(m_bytes.end(), values.begin(), values.end());
  }
  std::vector<std::uint8_t>& data() { return m_bytes; }

 private:
  std::vector<std::uint8_t> m_bytes;
};

// Reads what Packer wrote. The bytes never leave the program, so a read past
// the end is a bug, reported as such rather than read.
class Unpacker {
 public:
  explicit Unpacker(const std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}
  template <class T>
  T get() {
    T value;
    std::memcpy(&value, take(sizeof value), sizeof value);
    return value;
  }
  std::string text() {
    const auto length = get<std::uint32_t>();
    const auto* first = take(length);
    return std::string(reinterpret_cast<const char*>(first), length);
  }
  TByteVector bytes(std::size_t count) {
    const auto* first = take(count);
    return TByteVector(first, first + count);
  }
  bool atEnd() const { return m_position == m_bytes.size(); }

 private:
  const std::uint8_t* take(std::size_t count) {
    if (count > m_bytes.size() - m_position) throw std::logic_error("a network snapshot ends early");
    const std::uint8_t* first = m_bytes.data() + m_position;
    m_position += count;
    return first;
  }
  const std::vector<std::uint8_t>& m_bytes;
  std::size_t m_position = 0;
};

void PutComponent(Packer& out, const TMolecule& component) {
  const TByteVector& types = component.AtomTypes();
  out.put(static_cast<std::uint8_t>(types.size()));
  out.bytes(types);
  out.bytes(component.UnpairedElectrons());
  out.put(static_cast<std::uint16_t>(component.Bonds().size()));
  for (const TBondEntry& bond : component.Bonds()) {
    out.put(bond.Row);
    out.put(bond.Column);
    out.put(static_cast<std::uint8_t>(bond.Order | (bond.Aromatic ? 0x80 : 0)));
  }
  out.put(static_cast<std::uint8_t>(component.AromaticSelfAtoms().size()));
  out.bytes(component.AromaticSelfAtoms());
  out.text(component.Name);
  out.text(component.Certificate());
  out.put(static_cast<std::uint8_t>(component.HasRing()));
}

std::unique_ptr<TMolecule> GetComponent(Unpacker& in) {
  const std::size_t n = in.get<std::uint8_t>();
  TByteVector types = in.bytes(n);
  TByteVector unpaired = in.bytes(n);
  TBondList bonds(in.get<std::uint16_t>());
  for (TBondEntry& bond : bonds) {
    bond.Row = in.get<std::uint8_t>();
    bond.Column = in.get<std::uint8_t>();
    const auto order = in.get<std::uint8_t>();
    bond.Order = order & 0x7f;
    bond.Aromatic = (order & 0x80) != 0;
  }
  TByteVector aromaticSelf = in.bytes(in.get<std::uint8_t>());
  std::string name = in.text();
  std::string certificate = in.text();
  const bool hasRing = in.get<std::uint8_t>() != 0;
  auto component = TMolecule::FromIdentifiedBonds(types, bonds, unpaired, aromaticSelf, std::move(certificate), hasRing);
  component->Name = std::move(name);
  return component;
}

void PutSide(Packer& out, const TReactionNetwork& network, const TReactionSide& molecules,
             const TSideCoefficients& coefficients) {
  out.put(static_cast<std::uint32_t>(molecules.size()));
  for (std::size_t k = 0; k < molecules.size(); ++k) {
    const int index = network.IndexOfComponent(molecules[k]);
    if (index < 0) throw std::logic_error("a reaction refers to a molecule that is not a component");
    out.put(static_cast<std::uint32_t>(index));
    out.put(static_cast<std::int32_t>(coefficients[k]));
  }
}

}  // namespace

TNetworkSnapshot TNetworkSnapshot::Capture(const TReactionNetwork& network) {
  Packer out;
  const TNetworkPreferences& p = network.GetPreferences();
  for (double value : {p.NormTemperature, p.EThresholdBetaScission, p.EThresholdHTransfer, p.EThresholdAllyl,
                       p.MinSelectivity})
    out.put(value);

  out.put(static_cast<std::uint32_t>(network.ComponentCount()));
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) PutComponent(out, *network.Component(i));
  const std::vector<std::size_t> roots = network.RootIndices();
  out.put(static_cast<std::uint32_t>(roots.size()));
  for (std::size_t root : roots) out.put(static_cast<std::uint32_t>(root));

  out.put(static_cast<std::uint32_t>(network.ReactionCount()));
  for (std::size_t r = 0; r < network.ReactionCount(); ++r) {
    const TReaction& reaction = *network.Reaction(r);
    PutSide(out, network, reaction.Reactants, reaction.ReactantCoefs);
    PutSide(out, network, reaction.Products, reaction.ProductCoefs);
    out.put(reaction.ReactionType);
    out.put(reaction.ActEnergy);
    out.put(reaction.FreqFactor);
    out.put(reaction.Selectivity);
    out.put(reaction.SelectivityAfterFilter);
    out.put(static_cast<std::uint8_t>((reaction.MultiplyByActiveRadicals ? 1 : 0) |
                                      (reaction.ExplicitKinetics ? 2 : 0)));
    out.text(reaction.FreqFact2);
    out.text(reaction.ActEnerg2);
  }

  const std::vector<std::uint8_t>& plain = out.data();
  if (plain.size() > std::numeric_limits<uLong>::max()) throw std::length_error("a network snapshot is too large");
  TNetworkSnapshot snapshot;
  uLongf size = compressBound(static_cast<uLong>(plain.size()));
  snapshot.m_compressed.resize(size);
  if (compress2(snapshot.m_compressed.data(), &size, plain.data(), static_cast<uLong>(plain.size()),
                kCompressionLevel) != Z_OK)
    throw std::bad_alloc();
  snapshot.m_compressed.resize(size);
  snapshot.m_compressed.shrink_to_fit();
  snapshot.m_plainSize = plain.size();
  return snapshot;
}

void TNetworkSnapshot::Restore(TReactionNetwork& network) const {
  std::vector<std::uint8_t> plain(m_plainSize);
  uLongf size = static_cast<uLongf>(m_plainSize);
  if (uncompress(plain.data(), &size, m_compressed.data(), static_cast<uLong>(m_compressed.size())) != Z_OK ||
      size != m_plainSize)
    throw std::logic_error("a network snapshot does not decompress");
  Unpacker in(plain);

  TNetworkPreferences preferences;
  for (double* value : {&preferences.NormTemperature, &preferences.EThresholdBetaScission,
                        &preferences.EThresholdHTransfer, &preferences.EThresholdAllyl, &preferences.MinSelectivity})
    *value = in.get<double>();

  std::vector<std::unique_ptr<TMolecule>> components(in.get<std::uint32_t>());
  for (auto& component : components) component = GetComponent(in);
  std::vector<std::size_t> roots(in.get<std::uint32_t>());
  for (std::size_t& root : roots) root = in.get<std::uint32_t>();

  std::vector<std::unique_ptr<TReaction>> reactions(in.get<std::uint32_t>());
  struct Selectivities {
    double Projecting, AfterFilter;
  };
  std::vector<Selectivities> selectivities;
  selectivities.reserve(reactions.size());
  for (auto& reaction : reactions) {
    reaction = std::make_unique<TReaction>();
    for (bool reactants : {true, false}) {
      const auto count = in.get<std::uint32_t>();
      for (std::uint32_t k = 0; k < count; ++k) {
        const auto index = in.get<std::uint32_t>();
        const auto coefficient = in.get<std::int32_t>();
        if (index >= components.size()) throw std::logic_error("a network snapshot names a missing component");
        if (reactants)
          reaction->AddReactant(components[index].get(), coefficient);
        else
          reaction->AddProduct(components[index].get(), coefficient);
      }
    }
    const auto type = in.get<std::int32_t>();
    const auto energy = in.get<double>();
    const auto frequency = in.get<double>();
    reaction->SetParameters(type, energy, frequency);
    const auto projecting = in.get<double>();
    selectivities.push_back({projecting, in.get<double>()});
    const auto flags = in.get<std::uint8_t>();
    reaction->MultiplyByActiveRadicals = (flags & 1) != 0;
    reaction->ExplicitKinetics = (flags & 2) != 0;
    reaction->FreqFact2 = in.text();
    reaction->ActEnerg2 = in.text();
  }
  if (!in.atEnd()) throw std::logic_error("a network snapshot has bytes left over");

  network.SetPreferences(preferences);
  network.ReplaceContent(std::move(components), std::move(reactions), &roots);
  // As captured, also where a command left them out of date on purpose (an
  // edit whose integrity check the user declined).
  for (std::size_t r = 0; r < selectivities.size(); ++r) {
    network.Reaction(r)->Selectivity = selectivities[r].Projecting;
    network.Reaction(r)->SelectivityAfterFilter = selectivities[r].AfterFilter;
  }
}

}  // namespace korvane
