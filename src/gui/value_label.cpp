#include "gui/value_label.h"

#include <QFormLayout>
#include <QLabel>

namespace korvane::gui {

QLabel* AddValueRow(QFormLayout& form, const QString& caption, const QString& objectName) {
  auto* value = new QLabel(QStringLiteral("N/A"));
  value->setObjectName(objectName);
  value->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form.addRow(caption, value);
  return value;
}

}  // namespace korvane::gui
