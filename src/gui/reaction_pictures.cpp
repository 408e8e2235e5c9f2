#include "gui/reaction_pictures.h"

#include <QGridLayout>
#include <QLabel>

#include "gui/molecule_picture_widget.h"
#include "gui/reaction_text.h"

namespace korvane::gui {
namespace {

constexpr std::uint8_t kReactionPictureSize = 10;

}  // namespace

ReactionPictures::ReactionPictures(const QStringList& captions, const QString& arrow, bool showReferences,
                                   QWidget* parent)
    : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  for (int k = 0; k < 4; ++k) {
    // Columns: A, B, arrow, C, D.
    const int column = k < 2 ? k : k + 1;
    auto* caption = new QLabel(captions.value(k));
    caption->setAlignment(Qt::AlignCenter);
    grid->addWidget(caption, 0, column);
    auto* picture = new MoleculePictureWidget(kReactionPictureSize);
    picture->setMinimumSize(110, 120);
    m_pictures[static_cast<std::size_t>(k)] = picture;
    grid->addWidget(picture, 1, column);
    grid->setColumnStretch(column, 1);
    auto* reference = new QLabel(QStringLiteral("N/A"));
    reference->setAlignment(Qt::AlignCenter);
    reference->setObjectName(QStringLiteral("reference%1").arg(QChar(u'A' + k)));
    reference->setVisible(showReferences);
    m_references[static_cast<std::size_t>(k)] = reference;
    grid->addWidget(reference, 2, column);
  }
  grid->addWidget(new QLabel(arrow), 1, 2, Qt::AlignCenter);
  // Extra height goes to the pictures; captions and references stay beside them.
  grid->setRowStretch(1, 1);
}

void ReactionPictures::enableSaving(DialogSeam& dialogs, const QString& directory) {
  for (MoleculePictureWidget* picture : m_pictures) picture->enableSaving(dialogs, directory);
}

void ReactionPictures::setMessageSink(const std::function<void(const std::string&)>& sink) {
  for (MoleculePictureWidget* picture : m_pictures) picture->setMessageSink(sink);
}

void ReactionPictures::showReaction(const TReaction& reaction) {
  const auto participants = ReactionParticipants(reaction);
  for (std::size_t k = 0; k < 4; ++k) {
    if (participants[k])
      m_pictures[k]->showMolecule(*participants[k]);
    else
      m_pictures[k]->clearPicture();
    m_references[k]->setText(ComponentIdText(participants[k]));
  }
}

void ReactionPictures::clear() {
  for (std::size_t k = 0; k < 4; ++k) {
    m_pictures[k]->clearPicture();
    m_references[k]->setText(QStringLiteral("N/A"));
  }
}

}  // namespace korvane::gui
