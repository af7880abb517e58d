// The influence-line figure: where it puts supports and wheels for given J, B and W, that it draws ordinates to
// scale, and that its texts stay legible over the whole range of bays, sensible or not.
#include "influence_figure.h"
#include "sheet_units.h"
#include "window_test_support.h"

#ifdef KELVARO_PAGE_METRICS
#include "sheet_json.h"
#endif

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace kelvaro;
using kelvaro::sheet::Figure;

namespace {

constexpr double Width = 165 * ui::sheet::Mm, Unit = 22 * ui::sheet::Mm;

InfluenceOrdinates Ordinates(double J, float B, float W) {
  const auto y = ComputeOrdinates(FieldText{std::to_string(J)}, B, W);
  if (!y) qFatal("ordinates for J = %g", J);
  return *y;
}

Figure Lay(const InfluenceOrdinates& y, char32_t separator = U'.') {
  return ui::DesktopFigure(y, separator, Width, Unit);
}
QRectF Rect(const kelvaro::sheet::Box& b) { return QRectF(b.x, b.y, b.width, b.height); }

QString Describe(const QRectF& r) {
  return QStringLiteral("(%1, %2 %3×%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Whether a leader runs through a text box; its two ends may touch what they join.
bool Crosses(const QLineF& leader, const QRectF& box) {
  for (int i = 1; i < 40; ++i) {
    if (box.contains(leader.pointAt(i / 40.0))) return true;
  }
  return false;
}

}  // namespace

class InfluenceFigureTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { test::SetUpWindowTests(); }

  void geometry_data();
  void geometry();
  void ordinatesToScale();
  void textsStayLegible_data();
  void textsStayLegible();
  void textsAreTheCoresWorking();
  void thePageMeasuresAsTheDesktop();
};

// Positions are in bays (multiples of J) from the left outer support.
void InfluenceFigureTest::geometry_data() {
  QTest::addColumn<double>("J");
  QTest::addColumn<float>("B");
  QTest::addColumn<float>("W");
  QTest::addColumn<QList<double>>("wheels");  // metres from the left outer support, divided by J
  QTest::addColumn<int>("broken");            // segments drawn shorter, with a break mark
  QTest::addColumn<double>("from");
  QTest::addColumn<double>("to");
  const QList<double> schematic = {0.3, 1, 1.3, 1.75};
  QTest::newRow("worked example: wheels at J−W, J, J+B−W, J+B")
      << 6.0 << 5.5f << 4.4f << QList<double>{1.6 / 6, 1, 7.1 / 6, 11.5 / 6} << 0 << 0.0 << 2.0;
  QTest::newRow("twice the bay: the same wheels stand closer to the column")
      << 12.0 << 5.5f << 4.4f << QList<double>{7.6 / 12, 1, 13.1 / 12, 17.5 / 12} << 0 << 0.0 << 2.0;
  QTest::newRow("B > J: the fourth wheel beyond the right support, the drawing widens to it")
      << 6.0 << 8.0f << 4.4f << QList<double>{1.6 / 6, 1, 9.6 / 6, 14.0 / 6} << 0 << 0.0 << 14.0 / 6;
  QTest::newRow("W > J: the first wheel beyond the left support")
      << 4.0 << 5.5f << 4.8f << QList<double>{-0.8 / 4, 1, 4.7 / 4, 9.5 / 4} << 0 << -0.8 / 4 << 9.5 / 4;
  QTest::newRow("negative W: schematic") << 6.0 << 5.5f << -1.0f << schematic << 0 << 0.0 << 2.0;
  QTest::newRow("wheels far beyond: the long gap drawn a bay long and broken, the wheels apart")
      << 6.0 << 30.0f << 4.4f << QList<double>{1.6 / 6, 1, 3, 3 + 4.4 / 6} << 1 << 0.0 << 3 + 4.4 / 6;
  QTest::newRow("negative J: schematic") << -6.0 << 5.5f << 4.4f << schematic << 0 << 0.0 << 2.0;
  QTest::newRow("J near the largest double: nothing overflows, the wheels stay apart")
      << 1e307 << 5.5f << 4.4f << QList<double>{1 / 1.06, 1, 1 + 0.06 / 1.12, 1 + 0.12 / 1.12} << 0 << 0.0 << 2.0;
}

void InfluenceFigureTest::geometry() {
  QFETCH(double, J);
  QFETCH(float, B);
  QFETCH(float, W);
  QFETCH(QList<double>, wheels);
  QFETCH(int, broken);
  QFETCH(double, from);
  QFETCH(double, to);
  const InfluenceOrdinates y = Ordinates(J, B, W);
  const kelvaro::sheet::FigureGeometry g = kelvaro::sheet::GeometryOf(y);
  QCOMPARE(QList<double>(g.supports.begin(), g.supports.end()), (QList<double>{0, 1, 2}));
  for (qsizetype i = 0; i < 4; ++i) {
    QVERIFY2(std::abs(g.wheels[static_cast<std::size_t>(i)] - wheels[i]) < 1e-6,
             qPrintable(QString::number(g.wheels[static_cast<std::size_t>(i)])));
  }
  QCOMPARE(std::ranges::count(g.chain, true, &kelvaro::sheet::FigureGeometry::Segment::broken), broken);
  QVERIFY(std::abs(g.from - from) < 1e-6);
  QVERIFY(std::abs(g.to - to) < 1e-6);
  // The stretch drawn fills the figure's width: the same drawing scale for every bay.
  double left = Width, right = 0;
  for (const kelvaro::sheet::Shape& shape : Lay(y).shapes) {
    for (const auto& [x, _] : shape.points) left = std::min(left, x), right = std::max(right, x);
  }
  QVERIFY(left >= 0 && right <= Width);
  QVERIFY(right - left > 0.85 * Width);
}

void InfluenceFigureTest::ordinatesToScale() {
  const Figure example = Lay(Ordinates(6, 5.5f, 4.4f));
  QCOMPARE(example.ordinateHeights[1], Unit);
  QVERIFY(std::abs(example.ordinateHeights[0] / Unit - 1.6 / 6) < 1e-6);
  QVERIFY(std::abs(example.ordinateHeights[3] / Unit - 0.5 / 6) < 1e-6);
  QVERIFY(example.note.empty());

  // Wheels beyond an outer support are marked 0, and a note says why.
  const Figure beyond = Lay(Ordinates(6, 13, 1));
  QCOMPARE(beyond.ordinateHeights[2], 0.0);
  QCOMPARE(beyond.ordinateHeights[3], 0.0);
  QCOMPARE(QString::fromStdString(beyond.note),
           QStringLiteral("注：Y3、Y4 的车轮在边支座以外，不对本柱产生荷载，竖标取 0。"));
  QVERIFY(beyond.schematicNote.empty());

  // An ordinate above 1 (a negative W) cannot lie on the line: the figure is schematic and draws no ordinate.
  for (const Figure& schematic : {Lay(Ordinates(6, 8, -1)), Lay(Ordinates(6, 1000, -1000))}) {
    QCOMPARE(schematic.ordinateHeights, (std::array<double, 4>{}));
    QVERIFY(!schematic.schematicNote.empty());
    QVERIFY(std::ranges::any_of(schematic.labels, [](const auto& l) { return l.text == "示意"; }));
  }
}

void InfluenceFigureTest::textsStayLegible_data() {
  QTest::addColumn<double>("J");
  QTest::addColumn<float>("B");
  QTest::addColumn<float>("W");
  // From the smallest to the largest bay in use, with small and large cranes.
  for (const double J : {3.0, 4.5, 6.0, 7.5, 9.0, 12.0, 15.0, 18.0, 24.0, 30.0, 36.0}) {
    for (const auto& [B, W] : {std::pair{3.5f, 2.5f}, {5.5f, 4.4f}, {6.4f, 4.4f}, {7.5f, 5.0f}, {10.0f, 6.0f}}) {
      QTest::addRow("J = %g, B = %g, W = %g", J, double(B), double(W)) << J << B << W;
    }
  }
  QTest::newRow("B = W: two wheels over the column") << 6.0 << 4.4f << 4.4f;
  QTest::newRow("W = 0") << 6.0 << 5.5f << 0.0f;
  QTest::newRow("every wheel far beyond") << 6.0 << 1000.0f << -1000.0f;
  QTest::newRow("negative J") << -6.0 << 5.5f << 4.4f;
  QTest::newRow("a bay of kilometres") << 12345.678 << 5.5f << 4.4f;
  QTest::newRow("a bay of a millimetre") << 0.001 << 6.4f << -1234.5f;
}

// No two texts overlap, no leader runs through a text, and everything stays inside the figure.
void InfluenceFigureTest::textsStayLegible() {
  QFETCH(double, J);
  QFETCH(float, B);
  QFETCH(float, W);
  for (const char32_t separator : {U'.', U','}) {
    const Figure figure = Lay(Ordinates(J, B, W), separator);
    const auto& labels = figure.labels;
    QVERIFY(labels.size() >= 11);
    for (std::size_t i = 0; i < labels.size(); ++i) {
      const QRectF box = Rect(labels[i].box);
      const QString text = QString::fromStdString(labels[i].text);
      QVERIFY2(box.left() >= 0 && box.right() <= Width && box.top() >= 0 && box.bottom() <= figure.height,
               qPrintable(text + Describe(box)));
      for (std::size_t j = i + 1; j < labels.size(); ++j) {
        QVERIFY2(!box.intersects(Rect(labels[j].box)),
                 qPrintable(text + QString::fromStdString(" / " + labels[j].text)));
      }
      for (const auto& [a, b] : figure.leaders) {
        const QLineF leader(a.x, a.y, b.x, b.y);
        const bool own = box.contains(leader.p2()) || box.contains(leader.p2() + QPointF(0, 1));
        QVERIFY2(own || !Crosses(leader, box), qPrintable(text));
      }
    }
    QVERIFY(figure.height < 90 * ui::sheet::Mm);
  }
}

void InfluenceFigureTest::textsAreTheCoresWorking() {
  QStringList texts;
  for (const kelvaro::sheet::Label& label : Lay(Ordinates(6, 5.5f, 4.4f), U',').labels)
    texts << QString::fromStdString(label.text);
  texts.sort();
  QCOMPARE(texts, (QStringList{QStringLiteral("B−W = 1,1"), QStringLiteral("J = 6"), QStringLiteral("J = 6"),
                               QStringLiteral("J−B = 0,5"), QStringLiteral("J−W = 1,6"), QStringLiteral("W = 4,4"),
                               QStringLiteral("W = 4,4"), QStringLiteral("Y1 = 0,2666667"), QStringLiteral("Y2 = 1"),
                               QStringLiteral("Y3 = 0,8166667"), QStringLiteral("Y4 = 0,08333334")}));
}

// The page's module lays the figure out with a table of the font the page carries: its widths are the toolkit's,
// so that the page's figure is the desktop's.
void InfluenceFigureTest::thePageMeasuresAsTheDesktop() {
#ifdef KELVARO_PAGE_METRICS
  const kelvaro::sheet::TextMeasure desktop = ui::DesktopMeasure(), page = web::PageMeasure();
  QVERIFY2(std::abs(desktop.lineHeight - page.lineHeight) < 0.5,
           qPrintable(QStringLiteral("%1 / %2").arg(desktop.lineHeight).arg(page.lineHeight)));
  for (const auto& [J, B, W] : {std::tuple{6.0, 5.5f, 4.4f}, {6.0, 8.0f, -1.0f}, {12345.678, 5.5f, 4.4f}}) {
    for (const char32_t separator : {U'.', U','}) {
      for (const kelvaro::sheet::Label& label : Lay(Ordinates(J, B, W), separator).labels) {
        const double d = desktop.width(label.text), p = page.width(label.text);
        QVERIFY2(std::abs(d - p) < 0.5,
                 qPrintable(QString::fromStdString(label.text) + QStringLiteral(": %1 / %2").arg(d).arg(p)));
      }
    }
  }
#else
  QSKIP("built without the browser edition");
#endif
}

QTEST_MAIN(InfluenceFigureTest)
#include "influence_figure_test.moc"
