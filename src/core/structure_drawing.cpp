#include "core/structure_drawing.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace korvane {
namespace {

// Ends the drawing with one of the two arithmetic messages. Thrown only
// inside this file and always caught by DrawMolecule.
struct DrawingStopped {
  const char* message;
};

constexpr double kSubscriptScale = 0.7;

struct TextRun {
  std::string text;
  Colour colour;
  bool subscript = false;
};

// The runs side by side, centred on the canvas; a subscript hangs from the
// middle of the normal text.
void DrawCentredText(Canvas& canvas, const std::vector<TextRun>& runs) {
  int totalWidth = 0, height = 0;
  std::vector<int> widths;
  for (const TextRun& run : runs) {
    canvas.setFontScale(run.subscript ? kSubscriptScale : 1.0);
    const TextExtent extent = canvas.measureText(run.text);
    widths.push_back(extent.width);
    totalWidth += extent.width;
    if (!run.subscript) height = std::max(height, extent.height);
  }
  int x = (canvas.width() - totalWidth) / 2;
  const int y = (canvas.height() - height) / 2;
  for (std::size_t k = 0; k < runs.size(); ++k) {
    canvas.setFontScale(runs[k].subscript ? kSubscriptScale : 1.0);
    canvas.setFontColour(runs[k].colour);
    canvas.text(x, runs[k].subscript ? y + height / 2 : y, runs[k].text);
    x += widths[k];
  }
  canvas.setFontScale(1.0);
}

// Two labels joined by a bond one unit long, centred horizontally at
// mid-height; each label stands 2 pixels outside the bond's end.
void DrawBondedPair(Canvas& canvas, const std::string& label, std::uint8_t order, int unit, Colour penColour) {
  const int x1 = canvas.width() / 2 - unit / 2;
  const int x2 = x1 + unit;
  const int y = canvas.height() / 2;
  RenderBond(canvas, x1, y, x2, y, order, false);
  canvas.setFontScale(1.0);
  canvas.setFontColour(penColour);
  const TextExtent extent = canvas.measureText(label);
  canvas.text(x1 - 2 - extent.width, y - extent.height / 2, label);
  canvas.text(x2 + 2, y - extent.height / 2, label);
}

// The largest bond length not above `unit` that keeps every atom circle (and
// its outline) inside the canvas, for coordinates already centred on 0.
int FittedUnit(const TMyMolecule& s, int unit, int width, int height, int penWidth) {
  const double margin = kAtomRadius + std::max(penWidth, 1) + 1;
  double limit = unit;
  auto fit = [&limit](double room, double extent) {
    if (extent > 1e-9) limit = std::min(limit, room / extent);
  };
  for (std::size_t i = 0; i < s.AtomCount(); ++i) {
    fit(width - 1 - width / 2 - margin, s.X[i]);
    fit(width / 2 - margin, -s.X[i]);
    fit(height - 1 - height / 2 - margin, s.Y[i]);
    fit(height / 2 - margin, -s.Y[i]);
  }
  // A bitmap too small for any bond length keeps one pixel rather than
  // collapsing every atom onto one point.
  return unit < 1 ? unit : std::max(1, static_cast<int>(std::floor(limit)));
}

void DrawSkeleton(Canvas& canvas, const TMolecule& molecule, int unit, int penWidth, Colour penColour,
                  const DrawingReport& report) {
  std::unique_ptr<TMyMolecule> s = BuildSkeleton(molecule);
  if (molecule.IsCyclic()) AssignRings(*s);
  LayoutSkeleton(*s, report);

  const std::size_t n = s->AtomCount();
  // The mean of no coordinates is 0/0.
  if (n == 0) throw DrawingStopped{kInvalidOperationMessage};
  double meanX = 0.0, meanY = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    meanX += s->X[i];
    meanY += s->Y[i];
  }
  meanX /= static_cast<double>(n);
  meanY /= static_cast<double>(n);
  for (std::size_t i = 0; i < n; ++i) {
    s->X[i] -= meanX;
    s->Y[i] -= meanY;
  }

  const int width = canvas.width(), height = canvas.height();
  unit = FittedUnit(*s, unit, width, height, penWidth);
  std::vector<int> px(n), py(n);
  for (std::size_t i = 0; i < n; ++i) {
    px[i] = static_cast<int>(std::lround(unit * s->X[i] + width / 2));
    py[i] = static_cast<int>(std::lround(unit * s->Y[i] + height / 2));
  }

  canvas.setPenColour(penColour);
  canvas.setPenWidth(penWidth);
  canvas.setPenStyle(PenStyle::Solid);
  for (std::size_t a = 0; a < n; ++a) {
    for (const TNeighbour& entry : s->GetAtom(a)->Entries()) {
      const std::size_t b = entry.Atom->GetIndex();
      // A self entry is one unpaired electron: a zero-length single line even
      // when the diagonal counts two (a carbene), which would otherwise read
      // as a double bond without a direction.
      const std::uint8_t order = a == b ? 1 : s->AdjacencyMatrix()[a][b];
      const bool aromatic = a != b && s->AromaticMatrix()[a][b];
      if (!RenderBond(canvas, px[a], py[a], px[b], py[b], order, aromatic))
        throw DrawingStopped{kInvalidOperationMessage};
    }
  }
  // The circles come after the bonds so that their white or red fill covers
  // the bond ends: lines drawn over them would cross every atom and hide the
  // red of a radical centre.
  canvas.setPenStyle(PenStyle::Solid);
  for (std::size_t i = 0; i < n; ++i) {
    canvas.setBrushColour(s->GetAtom(i)->IsRadicalCentre() ? kRed : kWhite);
    canvas.ellipse(px[i] - kAtomRadius, py[i] - kAtomRadius, px[i] + kAtomRadius, py[i] + kAtomRadius);
  }
}

}  // namespace

bool RenderBond(Canvas& canvas, int x1, int y1, int x2, int y2, std::uint8_t order, bool aromatic) {
  const double dx = x2 - x1, dy = y2 - y1;
  const double length = std::hypot(dx, dy);
  if (length == 0.0 && (order == 2 || order == 3) && !aromatic) return false;
  const double nx = length == 0.0 ? 0.0 : -dy / length;
  const double ny = length == 0.0 ? 0.0 : dx / length;
  auto shifted = [&](double offset) {
    canvas.line(static_cast<int>(std::lround(x1 + offset * nx)), static_cast<int>(std::lround(y1 + offset * ny)),
                static_cast<int>(std::lround(x2 + offset * nx)), static_cast<int>(std::lround(y2 + offset * ny)));
  };
  canvas.setPenStyle(PenStyle::Solid);
  // The aromatic rendering replaces the order's: aromatic bonds are stored
  // with order 1, and a centre line would make them look like triple bonds.
  if (aromatic) {
    if (length != 0.0) {
      shifted(-2.0);
      canvas.setPenStyle(PenStyle::Dotted);
      shifted(2.0);
      canvas.setPenStyle(PenStyle::Solid);
    }
    return true;
  }
  switch (order) {
    case 1:
      canvas.line(x1, y1, x2, y2);
      break;
    case 2:
      shifted(-2.0);
      shifted(2.0);
      break;
    case 3:
      canvas.line(x1, y1, x2, y2);
      shifted(-3.0);
      shifted(3.0);
      break;
    default:
      break;  // no bond
  }
  return true;
}

void DrawMolecule(Canvas& canvas, const TMolecule& molecule, std::uint8_t size, std::uint8_t penWidth,
                  Colour penColour, const DrawingReport& report) {
  try {
    if (size == 0) throw DrawingStopped{kDivisionByZeroMessage};
    const int unit = std::max(canvas.width(), canvas.height()) / size;
    canvas.setPenColour(penColour);
    canvas.setPenWidth(penWidth);
    canvas.setPenStyle(PenStyle::Solid);

    const TByteVector& types = molecule.AtomTypes();
    switch (types.size()) {
      case 0:
        return;
      case 1:
        if (types[0] == kHelium)
          DrawCentredText(canvas, {{"He", kBlack}});
        else
          DrawCentredText(canvas, {{"H", kRed}});
        return;
      case 2:
        if (IsHydrogenLike(types[0]))
          DrawBondedPair(canvas, "H", 1, unit, penColour);
        else if (types[0] == kNitrogen)
          DrawBondedPair(canvas, "N", 3, unit, penColour);
        return;
      case 3:
        DrawCentredText(canvas, {{"H", penColour}, {"2", penColour, true}, {"O", penColour}});
        return;
      case 4:
        if (molecule.CarbonCount() == 1)
          DrawCentredText(canvas, {{"C", kRed}, {"H", kBlack}, {"3", kBlack, true}});
        else if (molecule.CarbonCount() == 2)
          DrawBondedPair(canvas, "CH", 3, unit, penColour);
        return;
      case 5:
        if (SortDescending(types) == TByteVector{kCarbon, kHydrogen, kHydrogen, kHydrogen, kHydrogen}) {
          DrawCentredText(canvas, {{"C", kBlack}, {"H", kBlack}, {"4", kBlack, true}});
          return;
        }
        break;
      default:
        break;
    }
    DrawSkeleton(canvas, molecule, unit, penWidth, penColour, report);
  } catch (const DrawingStopped& stopped) {
    if (report) report(stopped.message);
  }
}

}  // namespace korvane
