#include "sheet_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonObject>
#include <QPluginLoader>

using namespace Qt::StringLiterals;

namespace kelvaro::ui {

namespace {

SheetWindowInterface*& Linked() {
  static SheetWindowInterface* window = nullptr;
  return window;
}

}  // namespace

void UseLinkedSheetWindow(SheetWindowInterface& window) { Linked() = &window; }

std::expected<SheetWindowInterface*, QString> LoadSheetWindow(const QString& path) {
  // The loader checks the toolkit's version and build key before the module's code runs. The plugin's instance
  // lives as long as the module stays loaded, which is until the program ends: the loader is never unloaded.
  QPluginLoader module(path);
  QObject* const instance = module.instance();
  if (!instance) return std::unexpected(u"计算书打不开：找不到或不能载入 %1。\n%2"_s.arg(path, module.errorString()));
  if (auto* const window = qobject_cast<SheetWindowInterface*>(instance)) return window;
  const QString offered = module.metaData().value(u"IID"_s).toString();
  module.unload();  // nothing of it is used
  return std::unexpected(u"计算书打不开：%1 不是本程序的计算书模块。\n它提供 %2，本程序需要 %3。"_s.arg(
      path, offered, QString::fromLatin1(KELVARO_SHEET_WINDOW_IID)));
}

std::expected<SheetWindowInterface*, QString> SheetWindowEntryPoint() {
  if (Linked()) return Linked();
  // The module's place relative to the program is the same in the build tree and once installed. A plugin once
  // loaded stays loaded, so a second call finds its instance at once.
  return LoadSheetWindow(
      QDir::cleanPath(QCoreApplication::applicationDirPath() + u"/"_s + QString::fromUtf8(KELVARO_SHEET_MODULE)));
}

}  // namespace kelvaro::ui
