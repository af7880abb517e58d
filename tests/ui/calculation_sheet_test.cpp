// The calculation sheet as the user gets it: a PDF read back with poppler-utils (pdftotext, pdfinfo, pdffonts)
// shows the inputs as typed and the core's working and results exactly; one A4 page, fonts embedded; saving
// replaces a file only when the new one is whole; the preview window's actions.
#include "calculation_sheet.h"
#include "figure.h"
#include "sheet_window.h"
#include "window_test_support.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace kelvaro;
using kelvaro::sheet::InputRow;
using kelvaro::ui::CalculationSheet;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }
QString Q(const std::string& s) { return QString::fromStdString(s); }

// The three calculators' sheets from their fields' texts, as the windows hand them over: the inputs' rows from the
// windows' description.
CalculationSheet SheetOf(forms::FormId form, const char* name, const QStringList& t, char32_t separator) {
  const forms::Form& f = forms::FormOf(form);
  std::array<std::string, InputCount> held;
  InputTexts texts{};
  for (qsizetype i = 0; i < t.size(); ++i) {
    const auto input = static_cast<std::size_t>(f.calculator->fields[static_cast<std::size_t>(i)].input);
    held[input] = t[i].toStdString();
    texts[input] = held[input];
  }
  const auto answer = Calculate(f.calculator->calculation, texts, forms::CheckOrderOf(f), separator);
  if (!answer) qFatal("%s fails: %s", name, answer.error().message.c_str());
  return kelvaro::sheet::ContentOf(answer->record, name, kelvaro::sheet::InputRows(f, texts), separator);
}

// The fields in the window's order of its description's fields.
CalculationSheet Vertical(const QStringList& t, char32_t separator = U'.') {  // Z, J, B, W, Pmax, Pmin
  return SheetOf(forms::FormId::VerticalLoads, "吊车Dmax和Dmin计算", t, separator);
}
CalculationSheet MinWheel(const QStringList& t, char32_t separator = U'.') {  // Pmax, G, Q, N
  return SheetOf(forms::FormId::MinWheelPressure, "吊车最小轮压计算", t, separator);
}
CalculationSheet Horizontal(const QStringList& t, char32_t separator = U'.') {  // αH, Z, G1, N, Q, J, B, W
  return SheetOf(forms::FormId::HorizontalLoads, "吊车横向水平刹车力", t, separator);
}

QString Run(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    qWarning("%s failed: %s", qPrintable(tool), process.readAllStandardError().constData());
    return {};
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString WithoutSpaces(QString s) {
  s.removeIf([](QChar c) { return c.isSpace(); });
  return s;
}

// Every text the sheet must show: the inputs as typed, each working line, the figure's texts, the results.
QStringList Expected(const CalculationSheet& sheet) {
  QStringList texts;
  for (const InputRow& in : sheet.inputs) texts << Q(in.symbol) << Q(in.caption) << Q(in.text) << Q(in.unit);
  for (const auto& line : sheet.working) texts << Q(line.text);
  if (sheet.ordinates) {
    for (const auto& segment : kelvaro::sheet::GeometryOf(*sheet.ordinates, sheet.decimalSeparator).chain)
      texts << Q(segment.label);
    const std::vector<WorkingLine> ordinates = WorkingOf(*sheet.ordinates, sheet.decimalSeparator);
    for (std::size_t i = 0; i < 4; ++i) texts << Q(ordinates[i].quantity + " = " + ordinates[i].result);
  }
  for (const auto& r : sheet.results) texts << Q(r.caption) << Q(r.text);
  return texts;
}

}  // namespace

Q_DECLARE_METATYPE(CalculationSheet)

class CalculationSheetTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void pdfShowsEveryNumber_data();
  void pdfShowsEveryNumber();
  void fitsOnOnePage_data();
  void fitsOnOnePage();
  void saving_data();
  void saving();
  void suggestedFileName_data();
  void suggestedFileName();
  void previewWindow();

 private:
  QTemporaryDir dir_;
};

void CalculationSheetTest::initTestCase() {
  test::SetUpWindowTests();
  QVERIFY(dir_.isValid());
  for (const char* tool : {"pdftotext", "pdfinfo", "pdffonts", "pdfimages"}) {
    QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(), tool);
  }
}

void CalculationSheetTest::pdfShowsEveryNumber_data() {
  QTest::addColumn<CalculationSheet>("sheet");
  QTest::addColumn<QStringList>("absent");  // what a wrong separator or a recomputation would show instead
  QTest::newRow("worked example, vertical loads")
      << Vertical({U("0.9"), U("6"), U("5.5"), U("4.4"), U("100"), U("30")}) << QStringList{};
  QTest::newRow("wheels beyond the right support, a negative W")
      << Vertical({U("0.9"), U("6"), U("8"), U("-1"), U("100"), U("30")}) << QStringList{U("Y3 = -")};
  QTest::newRow("inputs exactly as typed: full-width digits and a long text")
      << Vertical({U("０.９"), U("6.000000000000000000000"), U("5.5"), U("4.4"), U("100"), U("30")}) << QStringList{};
  QTest::newRow("minimum wheel pressure") << MinWheel({U("100"), U("20"), U("10"), U("2")}) << QStringList{};
  QTest::newRow("horizontal loads, αH and 9.81 in the working")
      << Horizontal({U("0.12"), U("0.9"), U("3.5"), U("4"), U("10"), U("6"), U("5.5"), U("4.4")}) << QStringList{};
  QTest::newRow("decimal comma on every number")
      << Horizontal({U("0,12"), U("0,9"), U("3,5"), U("4"), U("10"), U("6"), U("5,5"), U("4,4")}, U',')
      << QStringList{U("0.2666667"), U("9.81"), U("15.8922"), U("7.747447"), U("J−W = 1.6")};
  QTest::newRow("decimal comma, minimum wheel pressure")
      << MinWheel({U("100"), U("20"), U("10"), U("2")}, U',') << QStringList{U("47.15"), U("9.81")};
}

void CalculationSheetTest::pdfShowsEveryNumber() {
  QFETCH(CalculationSheet, sheet);
  QFETCH(QStringList, absent);
  const QString path = dir_.filePath(QString::fromLatin1(QTest::currentDataTag()).left(20) + U(".pdf"));
  QVERIFY(ui::SaveSheetPdf(sheet, path));

  const QString text = WithoutSpaces(Run(U("pdftotext"), {path, U("-")}));
  for (const QString& expected : Expected(sheet))
    QVERIFY2(text.contains(WithoutSpaces(expected)), qPrintable(expected));
  for (const QString& wrong : absent) QVERIFY2(!text.contains(WithoutSpaces(wrong)), qPrintable(wrong));
  QVERIFY(text.contains(U("吊车荷载计算书")));
  QVERIFY(text.contains(WithoutSpaces(Q(sheet.name))));
  QVERIFY(text.contains(U("GB50009-2012")));
  QVERIFY(text.contains(WithoutSpaces(Q(kelvaro::sheet::ProgramVersion()))));
  // A sheet writes kN, never the windows' Kn.
  QVERIFY(!text.contains(U("Kn")));
  for (const char* blank : {"工程名称：", "设计：", "校对：", "审核：", "日期："}) QVERIFY(text.contains(U(blank)));
  // A wheel beyond an outer support is named in the note under the figure.
  const bool beyond = sheet.ordinates && std::ranges::any_of(sheet.ordinates->beyondSupport, std::identity());
  QCOMPARE(text.contains(U("车轮在边支座以外，不对本柱产生荷载，竖标取0。")), beyond);

  const QString info = Run(U("pdfinfo"), {path});
  QVERIFY2(info.contains(QRegularExpression(U("Pages:\\s+1\\n"))), qPrintable(info));
  QVERIFY2(info.contains(QRegularExpression(U("Page size:.*\\(A4\\)"))), qPrintable(info));
  // Drawn as vectors, crisp at any zoom: pdfimages lists no picture under its two header lines.
  QCOMPARE(Run(U("pdfimages"), {U("-list"), path}).split(u'\n', Qt::SkipEmptyParts).size(), 2);
  // pdffonts: a header of two lines, then one line per font whose "emb" column says yes.
  const QStringList fonts = Run(U("pdffonts"), {path}).split(u'\n', Qt::SkipEmptyParts).mid(2);
  QVERIFY(!fonts.isEmpty());
  for (const QString& font : fonts)
    QVERIFY2(font.contains(QRegularExpression(U("\\s+yes\\s+\\S+\\s+\\S+\\s+\\d+"))), qPrintable(font));
}

void CalculationSheetTest::fitsOnOnePage_data() {
  QTest::addColumn<CalculationSheet>("sheet");
  const QString longText = U("0000000000000000000000000000000000000000000000000000000000000.001");
  QTest::newRow("every line broken in two, wheels beyond, ordinates far above 1")
      << Horizontal({U("-0,00001234567"), U("-0,000009876543"), U("-0,00001234567"), U("-3"), U("-0,00007654321"),
                     longText.sliced(0).replace(u'.', u','), U("6,4"), U("-1234,5")},
                    U',');
  QTest::newRow("every wheel far beyond") << Vertical({U("0.9"), U("6"), U("1000"), U("-1000"), U("100"), U("30")});
  QTest::newRow("an input of 200 characters")
      << Vertical({U("0.9"), U("6"), U("5.") + QString(198, u'5'), U("4.4"), U("100"), U("30")});
  QTest::newRow("numbers in exponent form")
      << Vertical({U("-0.000001234567"), U("0.00001"), U("-123456789"), U("98765432"), U("-3"), U("0.0000007")});
}

void CalculationSheetTest::fitsOnOnePage() {
  QFETCH(CalculationSheet, sheet);
  QPicture page;
  QPainter painter(&page);
  const double reached = ui::PaintSheet(painter, QRectF(0, 0, 2100, 2970), sheet);
  QVERIFY2(reached <= ui::FooterTop - 1, qPrintable(QString::number(reached)));
}

void CalculationSheetTest::saving_data() {
  QTest::addColumn<QString>("name");  // in the test's folder
  QTest::addColumn<QString>("message");
  QTest::newRow("a new file") << U("new.pdf") << QString();
  QTest::newRow("an existing file is replaced") << U("existing.pdf") << QString();
  QTest::newRow("a folder that does not exist: nothing is written")
      << U("missing/sheet.pdf") << U("计算书没有保存到“%1”：文件夹“%2”不存在。");
  QTest::newRow("the name of a folder: the folder is left alone")
      << U("folder") << U("计算书没有保存到“%1”：这是一个文件夹的名字。");
}

void CalculationSheetTest::saving() {
  QFETCH(QString, name);
  QFETCH(QString, message);
  QDir(dir_.path()).mkpath(U("folder"));
  QFile existing(dir_.filePath(U("existing.pdf")));
  QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write("old") == 3);
  existing.close();

  const QString path = dir_.filePath(name);
  const auto saved = ui::SaveSheetPdf(MinWheel({U("100"), U("20"), U("10"), U("2")}), path);
  const QFileInfo info(path);
  if (message.isEmpty()) {
    QVERIFY(saved);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("%PDF-"));
  } else {
    QVERIFY(!saved);
    message.replace(U("%1"), QDir::toNativeSeparators(info.absoluteFilePath()))
        .replace(U("%2"), QDir::toNativeSeparators(info.absolutePath()));
    QCOMPARE(saved.error(), message);
    QVERIFY(!info.isFile());
  }
  // Nothing is left behind beside the target.
  QCOMPARE(QDir(info.absolutePath()).entryList({U("*.pdf.*")}, QDir::Files | QDir::Hidden), QStringList());
}

void CalculationSheetTest::suggestedFileName_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("want");
  QTest::newRow("the calculation's name and the date")
      << U("吊车Dmax和Dmin计算") << U("吊车Dmax和Dmin计算_2024-03-09.pdf");
  QTest::newRow("no characters a file system refuses, no spaces")
      << U("a/b\\c:d*e?f\"g<h>i|j k") << U("abcdefghijk_2024-03-09.pdf");
  QTest::newRow("nothing left of the name") << U(" / ") << U("计算书_2024-03-09.pdf");
}

void CalculationSheetTest::suggestedFileName() {
  QFETCH(QString, name);
  QFETCH(QString, want);
  QCOMPARE(ui::SuggestedFileName(name, QDate(2024, 3, 9)), want);
}

void CalculationSheetTest::previewWindow() {
  auto* calculator = new QWidget;
  calculator->setWindowTitle(U("吊车Dmax和Dmin计算"));
  auto* window = new ui::SheetWindow(Vertical({U("0.9"), U("6"), U("5.5"), U("4.4"), U("100"), U("30")}), calculator);
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window));
  QCOMPARE(window->windowTitle(), U("计算书 - 吊车Dmax和Dmin计算"));
  QVERIFY(window->isWindow());
  QCOMPARE(window->findChild<QPrintPreviewWidget*>()->pageCount(), 1);

  QMap<QString, QAction*> actions;
  for (QAction* action : window->findChild<QToolBar*>()->actions()) actions[action->text()] = action;
  QVERIFY(actions.contains(U("打印…")));
  QVERIFY(actions.contains(U("导出 PDF…")));

  // The toolkit's own file dialog, which asks before it replaces a file, in the last folder used.
  ui::SheetWindow::setExportFolder(dir_.path());
  actions[U("导出 PDF…")]->trigger();
  auto* dialog = window->findChild<QFileDialog*>();
  QVERIFY(dialog && dialog->isVisible());
  QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
  QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
  const QString suggested = ui::SuggestedFileName(U("吊车Dmax和Dmin计算"), QDate::currentDate());
  QCOMPARE(dialog->selectedFiles(), QStringList{QDir(dir_.path()).filePath(suggested)});
  dialog->selectFile(U("chosen"));
  static_cast<QDialog*>(dialog)->accept();  // as its Save button does
  QTRY_VERIFY(QFileInfo(dir_.filePath(U("chosen.pdf"))).isFile());

  // A PDF that cannot be written: the reason in a message over the sheet, which stays open.
  const QString missing = dir_.filePath(U("missing/sheet.pdf"));
  QVERIFY(!window->save(missing));
  auto* message = window->findChild<QMessageBox*>();
  QVERIFY(message && message->isVisible());
  QVERIFY(message->text().contains(QDir::toNativeSeparators(missing)));
  QVERIFY(message->text().contains(U("不存在")));
  QVERIFY(window->isVisible());
  message->accept();

  // The sheet belongs to its calculator: it goes when the calculator goes.
  const QPointer<ui::SheetWindow> sheet(window);
  delete calculator;
  QVERIFY(sheet.isNull());
}

QTEST_MAIN(CalculationSheetTest)
#include "calculation_sheet_test.moc"
