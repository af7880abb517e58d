#include "sheet_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

using namespace Qt::StringLiterals;

namespace kelvaro::ui {

namespace {

SheetWindowEntry& Linked() {
  static SheetWindowEntry entry = nullptr;
  return entry;
}

}  // namespace

void UseLinkedSheetWindow(SheetWindowEntry entry) { Linked() = entry; }

std::expected<SheetWindowEntry, QString> SheetWindowEntryPoint() {
  if (Linked()) return Linked();
  // The module's place relative to the program is the same in the build tree and once installed. A library once
  // loaded stays loaded, so a second call finds its entry at once.
  QLibrary module(
      QDir::cleanPath(QCoreApplication::applicationDirPath() + u"/"_s + QString::fromUtf8(KELVARO_SHEET_MODULE)));
  if (const auto entry = reinterpret_cast<SheetWindowEntry>(module.resolve(SheetModuleEntryName))) return entry;
  return std::unexpected(u"计算书打不开：找不到或不能载入 %1。\n%2"_s.arg(module.fileName(), module.errorString()));
}

}  // namespace kelvaro::ui
