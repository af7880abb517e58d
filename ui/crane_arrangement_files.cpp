// The several-cranes window's calculation files: the same actions, dialogs and messages as the calculators'
// (calculation_files.h); the file keeps the window's texts and the results as shown.
#include "calculation_files.h"
#include "crane_arrangement_window.h"
#include "crane_controls.h"
#include "crane_window.h"

#include <QAction>
#include <QDate>
#include <QLabel>

namespace kelvaro::ui {

void CraneArrangementWindow::addFileActions() {
  files_ = new CalculationFileActions(this);
  connect(files_->save(), &QAction::triggered, this, &CraneArrangementWindow::save);
  connect(files_, &CalculationFileActions::openRequested, this, &CraneArrangementWindow::openFileRequested);
}

void CraneArrangementWindow::chooseFileToOpen() { files_->chooseFileToOpen(); }

void CraneArrangementWindow::save() {
  const QString path = files_->chooseWhereToSave(
      CraneText(SuggestedFileName(texts(), QDate::currentDate().toString(Qt::ISODate).toStdString())));
  if (!path.isEmpty()) saveTo(path);
}

bool CraneArrangementWindow::saveTo(const QString& path) {
  std::vector<std::pair<std::string, std::string>> shown;
  const auto note = [&shown](std::string key, const QLabel* label) {
    const QString text = label->text().trimmed();
    if (!text.isEmpty()) shown.emplace_back(std::move(key), text.toStdString());
  };
  for (const auto& [id, label] : results_) note(forms::ResultFileKey(id), label);
  for (std::size_t c = 0; c < longitudinal_.size(); ++c) {
    if (!longitudinal_[c].second->isHidden()) {
      note(forms::ResultFileKey(ArrangementResult::Longitudinal, c), longitudinal_[c].second);
    }
  }
  if (const auto failure = SaveCalculationFileAt(path, texts(), NotesNow(std::move(shown)))) {
    reportFile(*failure);
    return false;
  }
  NoteRecentFile(path);
  return true;
}

void CraneArrangementWindow::reportFile(const QString& message) { report(message, CraneText(FileFailureTitle)); }

}  // namespace kelvaro::ui
