// A sheet window plugin built for an interface version the program does not have: the loader must refuse it
// without calling into it.
#include <QObject>
#include <QtPlugin>

class OldSheetWindowInterface {
 public:
  virtual ~OldSheetWindowInterface() = default;
  virtual void show() = 0;
};
Q_DECLARE_INTERFACE(OldSheetWindowInterface, "org.kelvaro.SheetWindow/0.9")

class OldSheetWindowPlugin : public QObject, public OldSheetWindowInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.kelvaro.SheetWindow/0.9")
  Q_INTERFACES(OldSheetWindowInterface)

 public:
  void show() override { qFatal("the program called a plugin of another interface"); }
};

#include "old_sheet_plugin.moc"
