#pragma once
/// Four structure pictures of one reaction, A + B -> C + D, with a caption
/// above each, the component reference below and an arrow between the
/// sides. Used by the reaction page and the two detail windows.

#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "reactions/reaction.h"

class QLabel;

namespace korvane::gui {

class DialogSeam;
class MoleculePictureWidget;

class ReactionPictures : public QWidget {
  Q_OBJECT

 public:
  /// `captions`: four captions, A to D. `showReferences`: a "[ ID ]" text
  /// under each picture (initially "N/A").
  ReactionPictures(const QStringList& captions, const QString& arrow, bool showReferences,
                   QWidget* parent = nullptr);

  /// Drawing messages go here (a ring without a template, ...).
  void setMessageSink(const std::function<void(const std::string&)>& sink);
  /// Lets the pictures' save entries ask for file names.
  void enableSaving(DialogSeam& dialogs, const QString& directory);

  /// Draws the participants at size 10; an absent B or D leaves its picture
  /// blank and its reference "N/A".
  void showReaction(const TReaction& reaction);
  /// Every picture blank, every reference "N/A".
  void clear();

  QLabel* reference(int k) const { return m_references[static_cast<std::size_t>(k)]; }
  MoleculePictureWidget* picture(int k) const { return m_pictures[static_cast<std::size_t>(k)]; }

 private:
  std::array<MoleculePictureWidget*, 4> m_pictures{};
  std::array<QLabel*, 4> m_references{};
};

}  // namespace korvane::gui
