#include "look.h"

#include "accessibility.h"

#include <QApplication>
#include <QIcon>
#include <QIconEngine>
#include <QImage>
#include <QLibraryInfo>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QTranslator>

#include <memory>

namespace kelvaro::ui {
namespace {

// Qt's SVG icon plugin is found by scanning the plugin directory and loaded from disk, and it parses the file
// again for every size X11 is given (four, all before the first window is mapped). This engine parses its
// resource once, when first drawn, with the SVG renderer the program links anyway, and makes each pixmap the
// way the plugin makes it: the artwork scaled into the size, on transparent, the other modes from the style.
class SvgIconEngine : public QIconEngine {
 public:
  explicit SvgIconEngine(QString resource) : resource_(std::move(resource)) {}

  QIconEngine* clone() const override { return new SvgIconEngine(resource_); }
  bool isNull() override { return !renderer().isValid(); }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    QSvgRenderer& svg = renderer();
    if (!svg.isValid()) return {};
    QSize actual = svg.defaultSize();
    if (!actual.isNull()) actual.scale(size, Qt::KeepAspectRatio);
    if (actual.isEmpty()) return {};
    QImage image(actual, QImage::Format_ARGB32_Premultiplied);
    image.fill(0);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    QPixmap pixmap = QPixmap::fromImage(image);
    if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
      QStyleOption option;
      option.palette = QGuiApplication::palette();
      const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
      if (!generated.isNull()) pixmap = generated;
    }
    return pixmap;
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    QSize size = rect.size();
    if (painter->device()) size *= painter->device()->devicePixelRatio();
    painter->drawPixmap(rect, pixmap(size, mode, state));
  }

 private:
  QSvgRenderer& renderer() {
    if (!renderer_) renderer_ = std::make_unique<QSvgRenderer>(resource_);
    return *renderer_;
  }

  QString resource_;
  std::unique_ptr<QSvgRenderer> renderer_;
};

}  // namespace

QIcon SvgIcon(const QString& resource) { return QIcon(new SvgIconEngine(resource)); }

void ApplyLook(QApplication& app) {
  // No display name: X11 would append it to every window caption.
  QApplication::setApplicationName(QStringLiteral("kelvaro"));
  QGuiApplication::setDesktopFileName(QStringLiteral("kelvaro"));
  // No application icon: every window has its own, and its menus, tooltips and message boxes take their
  // window's. On X11 an application icon would only be drawn, at four sizes, into each new window before that
  // window's own icon replaces it.
  // Captions are sized for a 9-point CJK font; the same style everywhere keeps control metrics predictable.
  app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setFont(ProgramFont());
  InstallAccessibleRoles();
  // The toolkit's own texts (a field's context menu, the file and print dialogs and their questions) in Chinese,
  // as every text of the program is, whatever the system's language. Loaded before any window exists, so no
  // window is told of a change; without the translations installed they stay in English.
  auto* toolkit = new QTranslator(&app);
  if (toolkit->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(toolkit);
  } else {
    delete toolkit;
  }
}

}  // namespace kelvaro::ui
