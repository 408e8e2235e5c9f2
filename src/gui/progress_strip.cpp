#include "gui/progress_strip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <climits>

namespace korvane::gui {

TProgressStrip::TProgressStrip(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  m_text = new QLabel;
  m_text->setObjectName(QStringLiteral("taskText"));
  m_progress = new QProgressBar;
  m_progress->setObjectName(QStringLiteral("taskProgress"));
  m_cancel = new QPushButton(QStringLiteral("Cancel"));
  m_cancel->setObjectName(QStringLiteral("taskCancel"));
  connect(m_cancel, &QPushButton::clicked, this, [this] { cancelPressed(); });
  row->addWidget(m_text);
  row->addWidget(m_progress, 1);
  row->addWidget(m_cancel);
  m_timer = new QTimer(this);
  m_timer->setInterval(kPollIntervalMs);
  connect(m_timer, &QTimer::timeout, this, [this] { poll(); });
  hide();
}

void TProgressStrip::begin(const QString& text, bool cancellable) {
  m_text->setText(text);
  m_progress->setRange(0, 0);
  m_cancel->setEnabled(cancellable);
  show();
  m_timer->start();
}

void TProgressStrip::report(const QString& text, std::int64_t done, std::int64_t total) {
  m_progress->setRange(0, static_cast<int>(std::min<std::int64_t>(total, INT_MAX)));
  m_progress->setValue(static_cast<int>(std::min(done, total)));
  m_text->setText(text);
}

void TProgressStrip::end() {
  m_timer->stop();
  hide();
}

void TProgressStrip::disableCancel() { m_cancel->setEnabled(false); }

}  // namespace korvane::gui
