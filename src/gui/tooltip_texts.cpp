#include "gui/tooltip_texts.h"

#include <QAbstractButton>
#include <QWidget>
#include <utility>

namespace korvane::gui {
namespace {

// Caption, tooltip. Captions as the windows write them, misspellings
// included.
const std::pair<const char*, const char*> kTooltips[] = {
    // Main window
    {"Refresh", "Read the list again from the current state"},
    {"Show", "Show the selected item"},
    {"Show window", "Bring the selected network window to the front"},
    {"Erease RN", "Close the selected reaction network window (asks first when its network is not saved)"},
    {"Execute fusion", "Add the checked networks' components and reactions to the destination network"},
    {"Select", "Choose a file"},
    {"Reload", "Read the kinetic parameter file again, dropping unsaved edits"},
    {"Save", "Write the kinetic parameters to their file"},
    {"Reset to def.", "Put back the built-in default kinetic parameters"},
    {"Pascal", "Export the kinetics as Pascal source"},
    {"ASCI C", "Export the kinetics as C source"},
    {"Matlab", "Export the kinetics as Matlab functions"},
    {"CHEMKIN-II", "Export a CHEMKIN-II mechanism with thermodynamic data and a species dictionary"},
    {"Cantera YAML", "Export a Cantera YAML input file with the same species, thermodynamic data and rates"},
    {"Export", "Write the export with the options chosen above"},
    // Network window
    {"--->", "Add the selected database items to the feed selection"},
    {"<---", "Take the selected items out of the feed selection"},
    {"Show structure", "Draw the selected database item"},
    {"Accept selection", "Add the selected items to the network as feeds"},
    {"Generate all reactions now", "Apply the preferences and generate the network from its feeds (F5)"},
    {"Stop generation", "Stop the run: no further component is processed, and the network is closed by recombination"},
    {"Export graph of reaction network", "Write the network as a Graphviz graph with a picture of every molecule"},
    {"Save reaction network to file", "Save the network to a .rnw file with a note (asks for the file)"},
    {"Simulate", "Open the reactor simulation of this network: yields, rate of production, sensitivities"},
    {"Table", "Show the list as a sortable, searchable table"},
    {"Find structure", "Find the component whose structure the SMILES describes"},
    {"Export CSV", "Write the table's rows, as shown, to a CSV file"},
    {"Filter substance list, show only:", "Show only the components that match every group of choices below"},
    {"Molecules", "Components without unpaired electrons"},
    {"Radicals", "Components with an unpaired electron"},
    {"Saturated", "Components with single bonds only"},
    {"Nonsaturated", "Components with a double or triple bond"},
    {"Aromatic", "Components with an aromatic ring"},
    {"Cyclic", "Components with a ring"},
    {"Acyclic", "Components without a ring"},
    {"Only fraction", "Only components with the number of carbon atoms given beside"},
    {"Add from file", "Add a feed read from a .ms structure file"},
    {"Add from SMILES", "Add a feed typed as SMILES"},
    {"Name components (DB)", "Give components found in the open database their database names"},
    {"Rename component", "Give the selected component a name of your own"},
    {"Show component", "Draw the selected component"},
    {"View details", "Open the details window of the selected line"},
    {"Remove component", "Remove the selected component and every reaction it takes part in"},
    {"Add from DBase", "Add feeds picked from the open molecular database"},
    {"Add by drawing struct.", "Draw a feed in the structure editor"},
    {"show", "Draw the selected reaction's components"},
    {"refresh", "Read the reaction list again with the filter below"},
    {"Remove", "Remove the selected reaction"},
    {"Show all reactions summary", "List every reaction"},
    {"Filter by reaction type", "List only the reactions of the types checked below"},
    {"Hydrogen transfers", "Reactions passing a hydrogen atom between two species"},
    {"Beta-Scissions", "Reactions breaking the bond beta to a radical centre"},
    {"Allyl-Izomerations", "Reactions moving an allyl radical's centre"},
    {"Recombinations", "Reactions joining a radical with a hydrogen atom"},
    {"Filter by substance #", "List only the reactions of the component whose number is given beside"},
    {"As reactant", "Reactions consuming that component"},
    {"As product", "Reactions producing that component"},
    {"Add munally", "Add a reaction of your own in the manual reaction window"},
    {"Edit actual", "Edit the selected reaction in the manual reaction window"},
    // Component and reaction details
    {"All possible products", "Components this component can turn into, directly or through other reactions"},
    {"All possible precursors", "Components this component can be made from, directly or through other reactions"},
    {"Filter reactions", "List only the reactions of the types checked below"},
    {"Filter components", "List only the components of the kinds checked below"},
    {"Hydrogen trasfer", "Hydrogen transfers"},
    {"Beta-Scission", "Beta-scissions"},
    {"Allyl izomeration", "Allyl isomerisations"},
    {"Producting this components", "Reactions producing this component"},
    {"Consuming this components", "Reactions consuming this component"},
    {"Pressure (p)", "Calculate the pressure from the temperature and the molar volume"},
    {"Temperature (T)", "Calculate the temperature from the pressure and the molar volume"},
    {"Molar volume (Vm)", "Calculate the molar volume from the pressure and the temperature"},
    {"Thermal capacity (cp)", "Calculate the ideal-gas heat capacity at the temperature"},
    {"Factor of compreibility (z)", "Calculate the compressibility factor at the pressure and temperature"},
    {"Calculate", "Calculate with the values above"},
};

}  // namespace

QString TooltipFor(QStringView caption) {
  for (const auto& [text, tooltip] : kTooltips)
    if (caption == QLatin1String(text)) return QString::fromUtf8(tooltip);
  return {};
}

void AddTooltips(QWidget& root) {
  for (QAbstractButton* button : root.findChildren<QAbstractButton*>())
    if (button->toolTip().isEmpty())
      if (const QString tooltip = TooltipFor(button->text()); !tooltip.isEmpty()) button->setToolTip(tooltip);
}

}  // namespace korvane::gui
