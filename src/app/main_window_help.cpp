// The main window's Help commands: the tutorial, technical support and the project's pages.

#include <QApplication>
#include <QClipboard>

#include "app/main_window.h"
#include "app/tools_messages.h"
#include "app/tutorial_loader.h"
#include "edit/tutorial_lessons.h"
#include "platform/paths.h"

namespace ploven {

namespace t = tools_text;

void MainWindow::LoadTutorialCommand() {
  if (!m_session.writable()) return;
  const QString ask = QString(t::kTutorialAsk).arg(TutorialLessons().size());
  if (m_session.messages().Question(ask.toStdString()) != kIdYes) return;
  const int loaded = LoadTutorial(m_session);
  if (loaded == 0) {
    m_session.messages().ErrorMessage(t::kTutorialNotLoaded);
    return;
  }
  GoToDate(m_session.clock().Today());
  AfterChange();
  m_session.messages().InformationMessage(QString(t::kTutorialLoaded).arg(loaded).toStdString());
}

QString MainWindow::SupportFacts() const {
  return QString(t::kSupportFacts)
      .arg(QStringLiteral(PLOVEN_VERSION),
           QString::fromStdString((m_session.places().dataFolder / kErrorLogFileName).string()),
           QString::fromStdString(m_session.files().schedulePath()));
}

void MainWindow::TechnicalSupport() {
  const QString facts = SupportFacts();
  QApplication::clipboard()->setText(facts);
  m_session.messages().PlainMessage(QString(t::kSupportText).arg(facts).toStdString(),
                                    t::kSupportCaption);
}

}  // namespace ploven
