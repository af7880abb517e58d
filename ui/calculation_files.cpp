#include "calculation_files.h"

#include "content.h"
#include "crane_window.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QSaveFile>
#include <QSettings>
#include <QWidget>

namespace kelvaro::ui {
namespace {

using namespace Qt::StringLiterals;

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string NameOf(const QString& path) { return QFileInfo(path).fileName().toStdString(); }
QString Message(FileFault fault, const QString& path, std::uint64_t size = 0, const QString& reason = {}) {
  return FromUtf8(FileMessage(fault, NameOf(path), size, reason.toStdString()));
}

// The program's own settings file, the one the sheet keeps its export folder in (~/.config/Kelvaro/kelvaro.ini),
// whatever the application object is called (tests have their own).
QSettings Settings() { return QSettings(QSettings::IniFormat, QSettings::UserScope, u"Kelvaro"_s, u"kelvaro"_s); }
constexpr auto RecentKey = "recentFiles";
const QString Filter = u"Kelvaro 计算文件 (*.kelvaro)"_s;

QString StartDirectory() {
  const QStringList recent = RecentFiles();
  return recent.isEmpty() ? QDir::homePath() : QFileInfo(recent.front()).absolutePath();
}

}  // namespace

std::expected<CalculationTexts, QString> ReadCalculationFileAt(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return std::unexpected(Message(FileFault::NotFound, path));
  if (info.isDir()) return std::unexpected(Message(FileFault::Directory, path));
  // Refused by its size before anything is read: a file of 100 MB costs no memory and no time.
  if (static_cast<std::uint64_t>(info.size()) > MaxFileBytes) {
    return std::unexpected(Message(FileFault::TooLarge, path, static_cast<std::uint64_t>(info.size())));
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (file.error() == QFileDevice::PermissionsError) return std::unexpected(Message(FileFault::NoPermission, path));
    return std::unexpected(Message(FileFault::Unreadable, path, 0, file.errorString()));
  }
  // A file that grew since it was looked at is still read no further than the reader would take.
  const QByteArray content = file.read(static_cast<qint64>(MaxFileBytes) + 1);
  if (file.error() != QFileDevice::NoError) {
    return std::unexpected(Message(FileFault::Unreadable, path, 0, file.errorString()));
  }
  auto opened = ReadCalculationFile(std::string_view(content.constData(), static_cast<std::size_t>(content.size())),
                                    NameOf(path));
  if (!opened) return std::unexpected(FromUtf8(opened.error().message));
  if (auto* cranes = std::get_if<CraneArrangementTexts>(&*opened)) {
    if (const auto failure = forms::TakeChoices(*cranes, NameOf(path))) return std::unexpected(FromUtf8(*failure));
  }
  return std::move(*opened);
}

std::optional<QString> SaveCalculationFileAt(const QString& path, const CalculationTexts& texts,
                                             const FileNotes& notes) {
  const auto content = WriteCalculationFile(texts, NameOf(path), notes);
  if (!content) return FromUtf8(content.error().message);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return Message(FileFault::SaveFailed, path, 0, file.errorString());
  const auto size = static_cast<qint64>(content->size());
  if (file.write(content->data(), size) != size) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return Message(FileFault::SaveFailed, path, 0, reason);
  }
  if (!file.commit()) return Message(FileFault::SaveFailed, path, 0, file.errorString());
  return std::nullopt;
}

FileNotes NotesNow(std::vector<std::pair<std::string, std::string>> results) {
  return {kelvaro::sheet::ProgramVersion(), QDate::currentDate().toString(Qt::ISODate).toStdString(),
          std::move(results)};
}

QStringList RecentFiles() {
  QStringList files = Settings().value(QLatin1String(RecentKey)).toStringList();
  files.removeAll(QString());
  return files.mid(0, RecentFileCount);
}

void NoteRecentFile(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList files = RecentFiles();
  files.removeAll(absolute);
  files.prepend(absolute);
  Settings().setValue(QLatin1String(RecentKey), files.mid(0, RecentFileCount));
}

CalculationFileActions::CalculationFileActions(QWidget* window)
    : QObject(window),
      window_(window),
      save_(new QAction(u"保存计算…"_s, window)),
      open_(new QAction(u"打开计算…"_s, window)),
      recent_(new QAction(u"最近打开"_s, window)),
      recentMenu_(new QMenu(window)) {
  save_->setShortcut(QKeySequence::Save);
  open_->setShortcut(QKeySequence::Open);
  recent_->setMenu(recentMenu_);
  connect(open_, &QAction::triggered, this, &CalculationFileActions::chooseFileToOpen);
  // Filled each time it opens: another window may have saved or opened a file since.
  connect(recentMenu_, &QMenu::aboutToShow, this, &CalculationFileActions::fillRecentMenu);
  fillRecentMenu();
  auto* separator = new QAction(window);
  separator->setSeparator(true);
  window->addActions({separator, save_, open_, recent_});
}

void CalculationFileActions::chooseFileToOpen() {
  const QString path = QFileDialog::getOpenFileName(window_, u"打开计算"_s, StartDirectory(), Filter);
  if (!path.isEmpty()) emit openRequested(path);
}

QString CalculationFileActions::chooseWhereToSave(const QString& suggestedName) {
  QFileDialog dialog(window_, u"保存计算"_s, StartDirectory(), Filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(u"kelvaro"_s);
  dialog.selectFile(suggestedName);
  return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                 : QString();
}

void CalculationFileActions::fillRecentMenu() {
  recentMenu_->clear();
  const QStringList files = RecentFiles();
  for (qsizetype i = 0; i < files.size(); ++i) {
    const QString& path = files[i];
    // Numbered for the keyboard; "&" in a file name is shown, not taken as a mnemonic.
    QString name = QFileInfo(path).fileName();
    name.replace(u'&', u"&&"_s);
    QAction* item = recentMenu_->addAction(u"&%1 %2"_s.arg(i + 1).arg(name));
    item->setToolTip(path);
    item->setStatusTip(path);
    connect(item, &QAction::triggered, this, [this, path] { emit openRequested(path); });
  }
  recentMenu_->setToolTipsVisible(true);
  recent_->setEnabled(!files.isEmpty());
}

}  // namespace kelvaro::ui
