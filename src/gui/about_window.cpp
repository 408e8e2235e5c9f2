#include "gui/about_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace korvane::gui {
namespace {

// The libraries the programs are built on, with their licences; the same in
// both languages.
const char* const kLibraries =
    "<ul>"
    "<li>Qt 6 &mdash; LGPL v3; Qt Charts &mdash; GPL v3</li>"
    "<li>RDKit &mdash; BSD 3-Clause</li>"
    "<li>nauty &mdash; Apache License 2.0</li>"
    "<li>libpng &mdash; PNG Reference Library License v2; zlib &mdash; zlib License</li>"
    "<li>SimpleIni &mdash; MIT; CLI11 &mdash; BSD 3-Clause; Boost &mdash; Boost Software License 1.0</li>"
    "<li>Graphviz &mdash; Eclipse Public License 2.0</li>"
    "</ul>";

QString EnglishText() {
  return QStringLiteral(
             "<h3>Korvane v1.0</h3>"
             "<p>Korvane generates automatically the network of primary free-radical reactions by which "
             "hydrocarbons decompose in steam cracking. From the feed molecules you draw, read from structure "
             "files, pick from a molecular database or type as SMILES, it applies beta-scission, allyl "
             "isomerisation, hydrogen transfer and recombination, identifies every product by its structure, "
             "attaches Arrhenius parameters, prunes by activation-energy thresholds and selectivity, and grows "
             "the network until it closes.</p>"
             "<p>Networks can be inspected, edited, merged, saved and loaded; physical properties of the "
             "components can be estimated; the kinetics can be exported as Pascal, C or Matlab source and the "
             "network as a Graphviz graph with a picture of every molecule. The batch tool korvane-cli does the "
             "same without windows.</p>"
             "<p>Built on:</p>") +
         QString::fromUtf8(kLibraries);
}

QString CzechText() {
  return QStringLiteral(
             "<h3>Korvane v1.0</h3>"
             "<p>Korvane automaticky generuje síť primárních radikálových reakcí, jimiž se uhlovodíky rozkládají "
             "při pyrolýze s vodní párou. Z molekul nástřiku, které nakreslíte, načtete ze souborů struktur, "
             "vyberete z molekulární databáze nebo zapíšete jako SMILES, uplatní beta-štěpení, allylovou "
             "izomeraci, přenos vodíku a rekombinaci, každý produkt rozpozná podle jeho struktury, přiřadí "
             "Arrheniovy parametry, prořeže síť podle prahů aktivační energie a selektivity a rozšiřuje ji, dokud "
             "se neuzavře.</p>"
             "<p>Sítě lze prohlížet, upravovat, slučovat, ukládat a načítat; u složek lze odhadnout fyzikální "
             "vlastnosti; kinetiku lze exportovat jako zdrojový kód v jazyce Pascal, C nebo Matlab a síť jako "
             "graf Graphvizu s obrázkem každé molekuly. Dávkový nástroj korvane-cli dělá totéž bez oken.</p>"
             "<p>Postaveno na knihovnách:</p>") +
         QString::fromUtf8(kLibraries);
}

}  // namespace

TAboutWin::TAboutWin(QWidget* parent) : QDialog(parent) {
  setWindowTitle(kCaption);
  m_language = new QComboBox;
  m_language->addItems({QStringLiteral("English"), QStringLiteral("Česky")});
  m_text = new QTextBrowser;
  m_text->setOpenExternalLinks(false);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* languageRow = new QHBoxLayout;
  languageRow->addWidget(new QLabel(QStringLiteral("Language:")));
  languageRow->addWidget(m_language);
  languageRow->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(languageRow);
  layout->addWidget(m_text, 1);
  layout->addWidget(buttons);
  connect(m_language, &QComboBox::currentIndexChanged, this, &TAboutWin::showLanguage);
  showLanguage(0);
  resize(520, 460);
}

void TAboutWin::showLanguage(int index) {
  if (m_language->currentIndex() != index) m_language->setCurrentIndex(index);
  m_text->setHtml(index == 1 ? CzechText() : EnglishText());
}

QString TAboutWin::text() const { return m_text->toPlainText(); }

}  // namespace korvane::gui
