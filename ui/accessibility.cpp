#include "accessibility.h"

#include "form_window.h"
#include "picture_box.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace kelvaro::ui {
namespace {

QAccessibleInterface* RoleFactory(const QString&, QObject* object) {
  if (auto* window = qobject_cast<FormWindow*>(object)) return new QAccessibleWidget(window, QAccessible::Window);
  if (auto* picture = qobject_cast<PictureBox*>(object)) return new QAccessibleWidget(picture, QAccessible::Graphic);
  return nullptr;
}

}  // namespace

void InstallAccessibleRoles() { QAccessible::installFactory(RoleFactory); }

}  // namespace kelvaro::ui
