#include "sheet_window.h"

#include "messages.h"

#include <QAction>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <QToolBar>

namespace kelvaro::ui {
namespace {

const QPageLayout A4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());

// The folder of the last export, kept between runs under the program's own name; a program that has no name (a
// test) keeps it for the run only.
QString& ExportFolder() {
  static QString folder = [] {
    const QString org = QCoreApplication::organizationName();
    if (org.isEmpty()) return QDir::homePath();
    const QSettings kept(QSettings::IniFormat, QSettings::UserScope, org, QCoreApplication::applicationName());
    return kept.value(QStringLiteral("sheet/exportFolder"), QDir::homePath()).toString();
  }();
  return folder;
}

void KeepExportFolder(const QString& folder) {
  ExportFolder() = folder;
  const QString org = QCoreApplication::organizationName();
  if (org.isEmpty()) return;
  QSettings kept(QSettings::IniFormat, QSettings::UserScope, org, QCoreApplication::applicationName());
  kept.setValue(QStringLiteral("sheet/exportFolder"), folder);
}

// Why a file could not be written, in words the user can act on.
QString Reason(const QSaveFile& file, const QString& path) {
  const QFileInfo target(path), folder(target.absolutePath());
  if (target.isDir()) return QStringLiteral("这是一个文件夹的名字");
  if (!folder.exists()) return QStringLiteral("文件夹“%1”不存在").arg(QDir::toNativeSeparators(folder.filePath()));
  if (!folder.isDir()) return QStringLiteral("“%1”不是文件夹").arg(QDir::toNativeSeparators(folder.filePath()));
  if (!folder.isWritable()) {
    return QStringLiteral("没有在文件夹“%1”中写文件的权限").arg(QDir::toNativeSeparators(folder.filePath()));
  }
  switch (file.error()) {
    case QFileDevice::ResourceError:
      return QStringLiteral("磁盘空间不足");
    case QFileDevice::WriteError:
      return QStringLiteral("写入时出错，磁盘可能已满（系统信息：%1）").arg(file.errorString());
    default:
      return QStringLiteral("系统信息：%1").arg(file.errorString());
  }
}

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QStringList SheetText(const CalculationSheet& sheet) {
  QStringList lines;
  for (const std::string& line : sheet::TextLines(sheet)) lines << FromUtf8(line);
  return lines;
}

QByteArray SheetPdf(const CalculationSheet& sheet) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageLayout(A4);
    writer.setResolution(1200);
    writer.setTitle(QString::fromStdString(sheet.title + " - " + sheet.name));
    writer.setCreator(QString::fromStdString(kelvaro::sheet::ProgramVersion()));
    QPainter painter(&writer);
    PaintSheet(painter, QRectF(painter.viewport()), sheet);
  }
  return pdf;
}

std::expected<void, QString> SaveSheetPdf(const CalculationSheet& sheet, const QString& path) {
  const QByteArray pdf = SheetPdf(sheet);
  // Written beside the target and renamed over it when whole: a failure leaves any earlier file as it was.
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size() && file.commit()) return {};
  const QString reason = Reason(file, path);
  file.cancelWriting();
  return std::unexpected(QStringLiteral("计算书没有保存到“%1”：%2。")
                             .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason));
}

QString SuggestedFileName(const QString& name, QDate date) {
  QString base = name;
  base.removeIf([](QChar c) { return c.isSpace() || QStringLiteral("/\\:*?\"<>|").contains(c) || !c.isPrint(); });
  if (base.isEmpty()) base = QStringLiteral("计算书");
  return QStringLiteral("%1_%2.pdf").arg(base, date.toString(Qt::ISODate));
}

void SheetWindow::setExportFolder(const QString& folder) { ExportFolder() = folder; }

QWidget* ShowSheetWindow(QWidget* open, const CalculationSheet& sheet, QWidget* calculator) {
  if (auto* window = qobject_cast<SheetWindow*>(open)) {
    window->setSheet(sheet);
    return window;
  }
  return new SheetWindow(sheet, calculator);
}

SheetWindow::SheetWindow(CalculationSheet sheet, QWidget* calculator)
    : QMainWindow(calculator, Qt::Window), sheet_(std::move(sheet)), printer_(QPrinter::HighResolution) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("计算书 - ") +
                 (calculator ? calculator->windowTitle() : QString::fromStdString(sheet_.name)));
  printer_.setPageLayout(A4);
  printer_.setFullPage(true);
  printer_.setDocName(QString::fromStdString(sheet_.name));
  printer_.setCreator(QString::fromStdString(kelvaro::sheet::ProgramVersion()));

  preview_ = new QPrintPreviewWidget(&printer_, this);
  preview_->setAccessibleName(QStringLiteral("计算书预览"));
  connect(preview_, &QPrintPreviewWidget::paintRequested, this, &SheetWindow::paint);
  setCentralWidget(preview_);

  QToolBar* tools = addToolBar(QStringLiteral("计算书"));
  tools->setMovable(false);
  tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  const auto add = [&](const QString& text, QKeySequence key, auto slot) {
    QAction* action = tools->addAction(text);
    action->setShortcut(key);
    action->setToolTip(key.isEmpty() ? text
                                     : QStringLiteral("%1（%2）").arg(text, key.toString(QKeySequence::NativeText)));
    connect(action, &QAction::triggered, this, slot);
    // Reached by Tab, as every button is.
    tools->widgetForAction(action)->setFocusPolicy(Qt::StrongFocus);
  };
  add(QStringLiteral("打印…"), QKeySequence::Print, &SheetWindow::print);
  add(QStringLiteral("导出 PDF…"), QKeySequence::Save, &SheetWindow::exportPdf);
  tools->addSeparator();
  add(QStringLiteral("整页"), QKeySequence(), [this] { preview_->fitInView(); });
  add(QStringLiteral("适合宽度"), QKeySequence(), [this] { preview_->fitToWidth(); });
  add(QStringLiteral("放大"), QKeySequence::ZoomIn, [this] { preview_->zoomIn(); });
  add(QStringLiteral("缩小"), QKeySequence::ZoomOut, [this] { preview_->zoomOut(); });
  auto* closeAction = new QAction(QStringLiteral("关闭"), this);
  // Ctrl+W on every desktop, whatever the platform's own Close key is besides.
  QList<QKeySequence> closeKeys{QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)};
  for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Close)) {
    if (!closeKeys.contains(key)) closeKeys << key;
  }
  closeAction->setShortcuts(closeKeys);
  connect(closeAction, &QAction::triggered, this, &QWidget::close);
  addAction(closeAction);
  describe();
  // A whole page in view, on small screens too.
  const QRect screen = this->screen()->availableGeometry();
  resize(std::min(720, screen.width()), std::min(960, screen.height() * 9 / 10));
}

void SheetWindow::setSheet(CalculationSheet sheet) {
  sheet_ = std::move(sheet);
  printer_.setDocName(QString::fromStdString(sheet_.name));
  preview_->updatePreview();
  describe();
}

void SheetWindow::describe() { preview_->setAccessibleDescription(SheetText(sheet_).join(u'\n')); }

void SheetWindow::paint(QPrinter* printer) {
  QPainter painter(printer);
  PaintSheet(painter, printer->pageLayout().fullRectPixels(printer->resolution()), sheet_);
}

void SheetWindow::print() {
  auto* dialog = new QPrintDialog(&printer_, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, preview_, &QPrintPreviewWidget::print);
  dialog->open();
}

void SheetWindow::exportPdf() {
  if (fileDialog_) return fileDialog_->raise();
  // The toolkit's own dialog, the same on every desktop; it asks before it replaces a file.
  fileDialog_ = new QFileDialog(this, QStringLiteral("导出 PDF"), ExportFolder(), QStringLiteral("PDF 文件 (*.pdf)"));
  fileDialog_->setOption(QFileDialog::DontUseNativeDialog);
  fileDialog_->setAcceptMode(QFileDialog::AcceptSave);
  fileDialog_->setFileMode(QFileDialog::AnyFile);
  fileDialog_->setDefaultSuffix(QStringLiteral("pdf"));
  fileDialog_->selectFile(SuggestedFileName(QString::fromStdString(sheet_.name), QDate::currentDate()));
  fileDialog_->setWindowModality(Qt::WindowModal);
  fileDialog_->setAttribute(Qt::WA_DeleteOnClose);
  connect(fileDialog_, &QFileDialog::fileSelected, this, [this](const QString& path) {
    if (save(path)) KeepExportFolder(QFileInfo(path).absolutePath());
  });
  fileDialog_->open();
}

bool SheetWindow::save(const QString& path) {
  const auto saved = SaveSheetPdf(sheet_, path);
  if (saved) return true;
  if (!messageBox_) {
    messageBox_ =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("无法导出 PDF"), QString(), QMessageBox::Ok, this);
    messageBox_->setTextFormat(Qt::PlainText);
    messageBox_->setWindowModality(Qt::WindowModal);
    messageBox_->setAttribute(Qt::WA_DeleteOnClose);
    messageBox_->button(QMessageBox::Ok)
        ->setText(QString::fromUtf8(MessageButton.data(), static_cast<qsizetype>(MessageButton.size())));
  }
  messageBox_->setText(saved.error());
  messageBox_->open();
  return false;
}

}  // namespace kelvaro::ui
