// Writes the six desktop windows as data, for the browser edition's page (web/make_page.py): every control with
// its kind, twips and pixel rectangles, text, TabIndex, accessible name and description; the tab order and the
// first focus; the buttons that open and close windows; for a calculator its fields with the core's inputs, its
// orders, buttons and results; and what the desktop shows for a worked example and for two failures, for the
// browser test to compare with. The windows are opened offscreen, as the program opens them, in the C locale.
//
// Usage: kelvaro_dump_windows <windows.json>
#include "calculations.h"
#include "calculator_window.h"
#include "form_builder.h"
#include "look.h"
#include "picture_box.h"
#include "window_slots.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>
#include <map>

using namespace kelvaro;
using namespace kelvaro::ui;
using namespace Qt::StringLiterals;

namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

[[noreturn]] void Fail(const QString& why) {
  std::fprintf(stderr, "kelvaro_dump_windows: %s\n", qPrintable(why));
  std::exit(1);
}

QString KindName(WindowKind kind) { return u"Form"_s + QString::number(static_cast<int>(kind) + 1); }

QJsonArray Array(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

// The resource ":/icons/main_window.svg" is the file assets/icons/main_window.svg.
QString AssetOf(const QString& resource) { return resource.startsWith(u":/"_s) ? resource.mid(2) : resource; }

QString KindOf(const QWidget* w) {
  if (qobject_cast<const PictureBox*>(w)) return u"picture"_s;
  if (qobject_cast<const QGroupBox*>(w)) return u"frame"_s;
  if (qobject_cast<const QPushButton*>(w)) return u"button"_s;
  if (qobject_cast<const QLineEdit*>(w)) return u"textBox"_s;
  if (const auto* l = qobject_cast<const QLabel*>(w))
    return l->frameShape() == QFrame::Box ? u"resultLabel"_s : u"label"_s;
  Fail(u"a control of an unknown kind: "_s + w->objectName());
}

QString TextOf(const QWidget* w) {
  if (const auto* b = qobject_cast<const QPushButton*>(w)) return b->text();
  if (const auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
  if (const auto* l = qobject_cast<const QLabel*>(w)) return l->text();
  if (const auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
  return {};
}

QJsonObject FontOf(const QFont& f) {
  return {{u"families"_s, QJsonArray::fromStringList(f.families())},
          {u"pointSize"_s, f.pointSizeF()},
          {u"bold"_s, f.weight() >= QFont::Bold},
          {u"italic"_s, f.italic()}};
}

// The controls in the order they are drawn (a raised one after those it lies over), frames before their contents.
void AddControls(const QWidget* window, const QWidget* container, QJsonArray& out) {
  for (QObject* child : container->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    const std::optional<DesignRow> row = w ? DesignRowOf(w) : std::nullopt;
    if (!row) continue;
    const QRect twips(row->at.left, row->at.top, row->at.width, row->at.height);
    QJsonObject c{
        {u"name"_s, w->objectName()},
        {u"kind"_s, KindOf(w)},
        {u"in"_s, container == window ? QJsonValue() : QJsonValue(container->objectName())},
        {u"twips"_s, Array(twips)},
        {u"pixels"_s, Array(ToPixels(row->at))},
        {u"text"_s, TextOf(w)},
        {u"tabIndex"_s, row->tabIndex},
        {u"focusable"_s, (w->focusPolicy() & Qt::TabFocus) != 0},
        {u"accessibleName"_s, w->accessibleName()},
        {u"accessibleDescription"_s, w->accessibleDescription()},
    };
    if (const auto* p = qobject_cast<const PictureBox*>(w)) c[u"picture"_s] = AssetOf(p->resource());
    if (const auto* l = qobject_cast<const QLabel*>(w); l && l->buddy()) c[u"buddy"_s] = l->buddy()->objectName();
    if (w->testAttribute(Qt::WA_SetFont)) c[u"font"_s] = FontOf(w->font());
    out.append(c);
    AddControls(window, w, out);
  }
}

// The focus chain from the first control, as Tab walks it.
QJsonArray TabOrder(QWidget* window) {
  QJsonArray order;
  QWidget* first = window->focusWidget();
  if (!first) return order;
  QWidget* w = first;
  do {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled() && w != window) {
      order.append(w->objectName());
    }
    w = w->nextInFocusChain();
  } while (w != first && order.size() < 100);
  return order;
}

QJsonArray Names(const std::vector<QLineEdit*>& fields) {
  QJsonArray names;
  for (const QLineEdit* f : fields) names.append(f->objectName());
  return names;
}

// The message box a failed calculation opened, read and dismissed.
QJsonObject TakeMessage(CalculatorWindow* w) {
  QApplication::processEvents();
  auto* box = w->findChild<QMessageBox*>();
  if (!box || !box->isVisible()) Fail(w->objectName() + u": no failure message"_s);
  QJsonObject message{{u"title"_s, box->windowTitle()},
                      {u"text"_s, box->text()},
                      {u"button"_s, box->buttons().value(0)->text()},
                      {u"focus"_s, w->focusWidget() ? w->focusWidget()->objectName() : QString()}};
  if (const auto* field = qobject_cast<QLineEdit*>(w->focusWidget())) message[u"selected"_s] = field->selectedText();
  box->done(QMessageBox::Ok);
  QApplication::processEvents();
  return message;
}

// Numbers for the fields that have no default text, by input: with the defaults they make the worked examples.
const std::map<QString, QString> Example = {{u"B"_s, u"5.5"_s},   {u"W"_s, u"4.4"_s}, {u"Pmax"_s, u"100"_s},
                                            {u"Pmin"_s, u"30"_s}, {u"G"_s, u"20"_s},  {u"Q"_s, u"10"_s},
                                            {u"G1"_s, u"3.5"_s}};

QJsonObject Calculator(CalculatorWindow* w) {
  QJsonArray inputs, results;
  for (const auto& f : w->fields()) {
    inputs.append(QJsonObject{{u"field"_s, f.field->objectName()}, {u"input"_s, FromUtf8(SymbolOf(f.input))}});
  }
  for (const auto& r : w->resultFields()) {
    results.append(QJsonObject{{u"field"_s, r.target->objectName()}, {u"result"_s, FromUtf8(r.member)}});
  }
  QJsonObject c{{u"calculation"_s, FromUtf8(w->calculation())},
                {u"inputs"_s, inputs},
                {u"checkOrder"_s, Names(w->checkOrder())},
                {u"clearList"_s, Names(w->clearList())},
                {u"results"_s, results},
                {u"calculate"_s, w->buttons().calculate->objectName()},
                {u"clear"_s, w->buttons().clear->objectName()},
                {u"exit"_s, w->buttons().exit->objectName()}};

  // The worked example: what is typed, and what the result fields then show.
  QJsonObject typed, shown, notes;
  for (const auto& f : w->fields()) {
    const auto example = Example.find(FromUtf8(SymbolOf(f.input)));
    if (f.field->text().isEmpty() && example != Example.end()) {
      f.field->setText(example->second);
      typed[f.field->objectName()] = example->second;
    }
  }
  if (!w->calculate()) Fail(w->objectName() + u": the worked example failed"_s);
  for (const auto& r : w->resultFields()) {
    const QString text = qobject_cast<QLabel*>(r.target) ? qobject_cast<QLabel*>(r.target)->text()
                                                         : qobject_cast<QLineEdit*>(r.target)->text();
    // The note names the result it belongs to: a result field declared for another result shows here.
    if (!r.target->toolTip().startsWith(FromUtf8(r.member) + u" = "_s)) {
      Fail(w->objectName() + u": "_s + r.target->objectName() + u" is declared for "_s + FromUtf8(r.member) +
           u" but shows "_s + r.target->toolTip().section(u'\n', 0, 0));
    }
    shown[r.target->objectName()] = text;
    notes[r.target->objectName()] = r.target->toolTip();
  }
  QJsonObject examples{{u"typed"_s, typed}, {u"results"_s, shown}, {u"notes"_s, notes}};

  // Two failures: a text that is not a number in the first field read, and every field empty.
  QLineEdit* const first = w->fields().front().field;
  first->setText(u"1x"_s);
  w->calculate();
  examples[u"notANumber"_s] =
      QJsonObject{{u"field"_s, first->objectName()}, {u"text"_s, first->text()}, {u"message"_s, TakeMessage(w)}};
  w->clear();
  w->calculate();
  const QJsonObject allEmpty = TakeMessage(w);
  examples[u"allEmpty"_s] = QJsonObject{{u"message"_s, allEmpty}};
  c[u"examples"_s] = examples;
  // The message box's own words (its text comes from the core).
  c[u"messageBox"_s] = QJsonObject{{u"title"_s, allEmpty[u"title"_s]}, {u"button"_s, allEmpty[u"button"_s]}};
  return c;
}

// The offscreen platform cannot raise windows or pass on size hints, and says so; nothing else may be said.
void Quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(u"This plugin does not support"_s)) return;
  std::fprintf(stderr, "%s\n", qPrintable(message));
  if (type == QtFatalMsg) std::abort();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <windows.json>\n", argv[0]);
    return 2;
  }
  // Default texts as written in the tables (a point, not a locale's comma), and no display needed.
  qputenv("LC_ALL", "C.UTF-8");
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(Quiet);
  int toolkitArgc = 1;
  char* toolkitArgv[] = {argv[0], nullptr};
  QApplication app(toolkitArgc, toolkitArgv);
  ApplyLook(app);
  CalculatorWindow::setFailureReporter(nullptr);  // the real message boxes: their texts are wanted

  app::WindowSlots windowSlots;
  QJsonArray windows;
  for (const WindowKind kind : AllWindowKinds) {
    FormWindow* w = windowSlots.show(kind);
    QApplication::processEvents();
    QJsonArray controls;
    AddControls(w, w, controls);
    QJsonObject opens;
    for (const auto& [button, target] : w->openers()) opens[button->objectName()] = KindName(target);
    QJsonArray closes;
    for (const QPushButton* button : w->closers()) closes.append(button->objectName());
    QJsonObject window{
        {u"kind"_s, KindName(kind)},
        {u"caption"_s, w->windowTitle()},
        {u"icon"_s, AssetOf(w->iconResource())},
        {u"client"_s, QJsonObject{{u"twips"_s, QJsonArray{w->clientTwips().width(), w->clientTwips().height()}},
                                  {u"pixels"_s, QJsonArray{w->width(), w->height()}}}},
        {u"controls"_s, controls},
        {u"tabOrder"_s, TabOrder(w)},
        {u"focus"_s, w->focusWidget() ? w->focusWidget()->objectName() : QString()},
        {u"opens"_s, opens},
        {u"closes"_s, closes},
    };
    if (auto* calculator = qobject_cast<CalculatorWindow*>(w)) window[u"calculator"_s] = Calculator(calculator);
    windows.append(window);
  }

  // The program starts with the main window (app/main.cpp).
  const QJsonObject dump{
      {u"first"_s, KindName(WindowKind::Form1)}, {u"font"_s, FontOf(QApplication::font())}, {u"windows"_s, windows}};
  QFile out(QString::fromLocal8Bit(argv[1]));
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) Fail(u"cannot write "_s + out.fileName());
  out.write(QJsonDocument(dump).toJson(QJsonDocument::Indented));
  return out.error() == QFile::NoError ? 0 : 1;
}
