// Calculation files on the desktop: reading a whole file with the checks that need the file system (what it is,
// who may read it, its size before a byte is read), saving through QSaveFile, and the eight most recent files.
// What a valid file is, and every message about one, is the core's.
#pragma once

#include "calculation_file.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <expected>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace kelvaro::ui {

/// Checks the path, reads the whole file and hands it to the core's reader. The message names the file.
std::expected<CalculationTexts, QString> ReadCalculationFileAt(const QString& path);
/// Writes the file atomically: a failure leaves any old file as it was. The message names the file.
std::optional<QString> SaveCalculationFileAt(const QString& path, const CalculationTexts& texts,
                                             const FileNotes& notes);
/// The notes a file saved now carries: the program and its version, today's date, the results as shown.
FileNotes NotesNow(std::vector<std::pair<std::string, std::string>> results);

/// The last eight files saved or opened, newest first, kept in the program's own settings.
inline constexpr int RecentFileCount = 8;
QStringList RecentFiles();
void NoteRecentFile(const QString& path);

/// A calculator window's file actions: "保存计算…" (Ctrl+S), "打开计算…" (Ctrl+O) and the "最近打开" submenu,
/// added to `window`'s own actions (its context menu). The window saves; opening is asked for by `openRequested`,
/// since the file may be of another window.
class CalculationFileActions : public QObject {
  Q_OBJECT

 public:
  explicit CalculationFileActions(QWidget* window);
  QAction* save() const { return save_; }
  QAction* open() const { return open_; }
  QAction* recent() const { return recent_; }
  /// Asks for a file to open, starting where the last one was.
  void chooseFileToOpen();
  /// Asks where to save, offering `suggestedName` beside the last file; empty when cancelled.
  QString chooseWhereToSave(const QString& suggestedName);

 signals:
  void openRequested(const QString& path);

 private:
  void fillRecentMenu();

  QWidget* window_;
  QAction* save_;
  QAction* open_;
  QAction* recent_;
  QMenu* recentMenu_;
};

}  // namespace kelvaro::ui
