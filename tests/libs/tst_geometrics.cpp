// The geometrics module as the program reaches it: loaded by its loader, called through the pointers.
#include "geometricslib.h"

#include <QCoreApplication>
#include <QTest>

#include <cmath>
#include <functional>
#include <limits>
#include <map>

Q_DECLARE_METATYPE(GEOM_RECT)

// In the record's own (global) namespace, where QCOMPARE looks for them.
inline bool operator==(const GEOM_RECT &a, const GEOM_RECT &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline char *toString(const GEOM_RECT &rect)
{
    return QTest::toString(
        QStringLiteral("(%1, %2, %3, %4)").arg(rect.left).arg(rect.top).arg(rect.right).arg(rect.bottom));
}

namespace {

constexpr int32_t Int32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t Int32Min = std::numeric_limits<int32_t>::min();

} // namespace

class TGeometricsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void fitsTallPageIntoWideAreaByHeightCentredHorizontally();
    void fitKeepsProportionsEnlargingOrShrinking_data();
    void fitKeepsProportionsEnlargingOrShrinking();
    void fitWithoutCentringStaysAtTopLeft();
    void fitLeavesEmptyRectangleOrAreaAlone();
    void fittedWidthGivesExactPreviewScale();

    void rectangleOperations_data();
    void rectangleOperations();
    void extremeCoordinatesClampInsteadOfOverflowing();

    void lineMeasures_data();
    void lineMeasures();
    void rotatesAboutCentreInScreenDirection();
    void pointInRotatedRectangle_data();
    void pointInRotatedRectangle();
    void pointOnRectangleBorder();
    void fitsRotatedRectangleIntoBounds();
    void nullPointersAreIgnored();
    void restoresExtendedPrecisionOfTheX87Unit();
};

void TGeometricsTest::initTestCase()
{
    InitGeometricsLib((QCoreApplication::applicationDirPath() + QStringLiteral("/geometrics.so")).toLocal8Bit());
    QVERIFY(GeometricsLibLoaded());
}

void TGeometricsTest::fitsTallPageIntoWideAreaByHeightCentredHorizontally()
{
    // An A4 page at 96 dpi, larger than a wide preview area.
    GEOM_RECT page{0, 0, 793, 1122};
    Geom_FitRectangleIntoArea(1000, 500, &page, 1);
    QCOMPARE(Geom_RectHeight(&page), 500);
    QCOMPARE(page.top, 0);
    QCOMPARE(Geom_RectWidth(&page), 354); // 794 * 500 / 1123 = 353.5 rounded
    QCOMPARE(page.left, (1000 - 354) / 2);
    QCOMPARE(1000 - 1 - page.right - page.left, 0); // the same margin on both sides
}

void TGeometricsTest::fitKeepsProportionsEnlargingOrShrinking_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<uint>("areaWdt");
    QTest::addColumn<uint>("areaHgt");

    QTest::newRow("small wide rectangle enlarged") << 100 << 50 << 1000u << 1000u;
    QTest::newRow("small tall rectangle enlarged") << 30 << 70 << 640u << 480u;
    QTest::newRow("large wide rectangle shrunk") << 4000 << 1000 << 800u << 600u;
    QTest::newRow("same proportions as the area") << 200 << 100 << 400u << 200u;
    QTest::newRow("already the area") << 400 << 300 << 400u << 300u;
    QTest::newRow("thin line keeps one pixel") << 10000 << 1 << 300u << 300u;
    QTest::newRow("one pixel into a huge area") << 1 << 1 << 100000u << 70000u;
}

void TGeometricsTest::fitKeepsProportionsEnlargingOrShrinking()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(uint, areaWdt);
    QFETCH(uint, areaHgt);

    GEOM_RECT rect{7, 9, 7 + width - 1, 9 + height - 1};
    Geom_FitRectangleIntoArea(areaWdt, areaHgt, &rect, 1);
    const qint64 fitWdt = Geom_RectWidth(&rect);
    const qint64 fitHgt = Geom_RectHeight(&rect);
    QVERIFY(fitWdt >= 1 && fitHgt >= 1);
    QVERIFY(fitWdt <= areaWdt && fitHgt <= areaHgt);
    QVERIFY2(fitWdt == areaWdt || fitHgt == areaHgt, "one side fills the area");
    // Rounded to whole pixels: the other side is off by at most half a pixel.
    if (fitWdt == areaWdt)
        QVERIFY(std::fabs(double(fitHgt) - double(height) * areaWdt / width) <= 0.5 || fitHgt == 1);
    else
        QVERIFY(std::fabs(double(fitWdt) - double(width) * areaHgt / height) <= 0.5 || fitWdt == 1);
    QCOMPARE(qint64(rect.left), (qint64(areaWdt) - fitWdt) / 2);
    QCOMPARE(qint64(rect.top), (qint64(areaHgt) - fitHgt) / 2);
}

void TGeometricsTest::fitWithoutCentringStaysAtTopLeft()
{
    GEOM_RECT rect{50, 60, 149, 109};
    Geom_FitRectangleIntoArea(300, 300, &rect, 0);
    QCOMPARE(rect, (GEOM_RECT{0, 0, 299, 149}));

    GEOM_RECT bounds{10, 20, 109, 219};
    GEOM_RECT inner{0, 0, 49, 49};
    Geom_FitRectangleIntoRectangle(&bounds, &inner, 1);
    QCOMPARE(inner, (GEOM_RECT{10, 70, 109, 169}));
}

void TGeometricsTest::fitLeavesEmptyRectangleOrAreaAlone()
{
    const GEOM_RECT reversed{10, 10, 5, 20};
    GEOM_RECT rect = reversed;
    Geom_FitRectangleIntoArea(100, 100, &rect, 1);
    QCOMPARE(rect, reversed);

    const GEOM_RECT page{0, 0, 99, 199};
    rect = page;
    Geom_FitRectangleIntoArea(0, 100, &rect, 1);
    QCOMPARE(rect, page);
    Geom_FitRectangleIntoArea(100, 0, &rect, 1);
    QCOMPARE(rect, page);
}

void TGeometricsTest::fittedWidthGivesExactPreviewScale()
{
    // The preview's fit: a page rectangle (0, 0, w - 1, h - 1) and scale = fitted width / page width.
    GEOM_RECT page{0, 0, 793, 1122};
    QCOMPARE(Geom_RectWidth(&page), 794);
    QCOMPARE(Geom_RectHeight(&page), 1123);
    Geom_FitRectangleIntoArea(1588, 3000, &page, 1);
    QCOMPARE(double(Geom_RectWidth(&page)) / 794.0, 2.0);
}

void TGeometricsTest::rectangleOperations_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<GEOM_RECT>("rect");
    QTest::addColumn<GEOM_RECT>("expected");

    QTest::newRow("normalise swaps reversed edges") << "normalize" << GEOM_RECT{9, 8, 1, 2} << GEOM_RECT{1, 2, 9, 8};
    QTest::newRow("move by offsets") << "move" << GEOM_RECT{0, 0, 9, 4} << GEOM_RECT{5, -3, 14, 1};
    QTest::newRow("move to a corner keeps the size") << "moveTo" << GEOM_RECT{3, 3, 12, 7} << GEOM_RECT{100, 200, 109, 204};
    QTest::newRow("inflate widens both sides") << "inflate" << GEOM_RECT{10, 10, 19, 19} << GEOM_RECT{8, 9, 21, 20};
    QTest::newRow("centre in area") << "center" << GEOM_RECT{0, 0, 9, 19} << GEOM_RECT{45, 40, 54, 59};
    QTest::newRow("centre a larger rectangle overhangs evenly") << "center" << GEOM_RECT{0, 0, 119, 99} << GEOM_RECT{-10, 0, 109, 99};
    QTest::newRow("align right and bottom") << "alignRightBottom" << GEOM_RECT{0, 0, 9, 9} << GEOM_RECT{90, 40, 99, 49};
    QTest::newRow("stretch into area ignores proportions") << "stretch" << GEOM_RECT{5, 5, 6, 50} << GEOM_RECT{0, 0, 99, 99};
    QTest::newRow("scale doubles position and size") << "scale2" << GEOM_RECT{1, 2, 10, 6} << GEOM_RECT{2, 4, 21, 13};
    QTest::newRow("quarter turn about the middle") << "rotate90" << GEOM_RECT{0, 0, 9, 3} << GEOM_RECT{3, -3, 6, 6};
    QTest::newRow("pushed back inside bounds") << "ensureInside" << GEOM_RECT{-5, 90, 4, 109} << GEOM_RECT{0, 80, 9, 99};
    QTest::newRow("too large for bounds is cut") << "ensureInside" << GEOM_RECT{-5, -5, 200, 10} << GEOM_RECT{0, 0, 99, 15};
    QTest::newRow("middle moved to a point") << "moveByMid" << GEOM_RECT{0, 0, 10, 4} << GEOM_RECT{45, 18, 55, 22};
}

void TGeometricsTest::rectangleOperations()
{
    QFETCH(QString, operation);
    QFETCH(GEOM_RECT, rect);
    QFETCH(GEOM_RECT, expected);

    const GEOM_RECT bounds{0, 0, 99, 99};
    const std::map<QString, std::function<void(GEOM_RECT *)>> operations = {
        {"normalize", [](GEOM_RECT *r) { Geom_NormalizeRect(r); }},
        {"move", [](GEOM_RECT *r) { Geom_MoveRect(r, 5, -3); }},
        {"moveTo", [](GEOM_RECT *r) { Geom_MoveRectTo(r, 100, 200); }},
        {"inflate", [](GEOM_RECT *r) { Geom_InflateRect(r, 2, 1); }},
        {"center", [](GEOM_RECT *r) { Geom_CenterRectangle(100, 100, r); }},
        {"alignRightBottom",
         [&](GEOM_RECT *r) {
             const GEOM_RECT area{0, 0, 99, 49};
             Geom_AlignRectangleIntoRectangle(&area, r, GEOM_ALIGN_RIGHT | GEOM_ALIGN_BOTTOM);
         }},
        {"stretch", [](GEOM_RECT *r) { Geom_StretchRectangleIntoArea(100, 100, r); }},
        {"scale2", [](GEOM_RECT *r) { Geom_ScaleRect(r, 2.0); }},
        {"rotate90",
         [](GEOM_RECT *r) {
             GEOM_POINT mid{};
             Geom_RectMidPoint(r, &mid);
             Geom_RotateRect2(r, &mid, 90.0);
         }},
        {"ensureInside", [&](GEOM_RECT *r) { Geom_RectEnsureNoOutsides(r, &bounds); }},
        {"moveByMid",
         [](GEOM_RECT *r) {
             const GEOM_POINT mid{50, 20};
             Geom_MoveRectByMidPoint(r, &mid);
         }},
    };
    QVERIFY(operations.count(operation));
    operations.at(operation)(&rect);
    QCOMPARE(rect, expected);
}

void TGeometricsTest::extremeCoordinatesClampInsteadOfOverflowing()
{
    const GEOM_RECT widest{Int32Min, Int32Min, Int32Max, Int32Max};
    QCOMPARE(Geom_RectWidth(&widest), Int32Max);
    QCOMPARE(Geom_RectArea(&widest), std::numeric_limits<int64_t>::max());
    GEOM_RECT edge{Int32Max - 5, 0, Int32Max, 0};
    Geom_MoveRect(&edge, 100, 0);
    QCOMPARE(edge.right, Int32Max);
    Geom_InflateRect(&edge, Int32Max, 0);
    QCOMPARE(edge.left, 0);
    QCOMPARE(edge.right, Int32Max);
    GEOM_RECT page{0, 0, 99, 99};
    Geom_FitRectangleIntoArea(std::numeric_limits<uint32_t>::max(), 100, &page, 1);
    QCOMPARE(Geom_RectHeight(&page), 100);
    const GEOM_RECT empty{5, 5, 4, 4};
    QCOMPARE(Geom_RectArea(&empty), int64_t{0});
}

void TGeometricsTest::lineMeasures_data()
{
    QTest::addColumn<double>("bx");
    QTest::addColumn<double>("by");
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("angle");
    QTest::addColumn<uint>("direction");

    // From (1, 1); y grows downwards, so "down" is a positive angle.
    QTest::newRow("right") << 4.0 << 1.0 << 3.0 << 0.0 << uint(GEOM_DIR_RIGHT);
    QTest::newRow("down") << 1.0 << 3.0 << 2.0 << 90.0 << uint(GEOM_DIR_DOWN);
    QTest::newRow("left and up") << -2.0 << -2.0 << std::sqrt(18.0) << 225.0 << uint(GEOM_DIR_LEFT | GEOM_DIR_UP);
    QTest::newRow("up and right, 3-4-5") << 4.0 << -3.0 << 5.0 << 360.0 - 53.13010235415598
                                         << uint(GEOM_DIR_RIGHT | GEOM_DIR_UP);
    QTest::newRow("no length") << 1.0 << 1.0 << 0.0 << 0.0 << uint(GEOM_DIR_NONE);
}

void TGeometricsTest::lineMeasures()
{
    QFETCH(double, bx);
    QFETCH(double, by);
    QFETCH(double, length);
    QFETCH(double, angle);
    QFETCH(uint, direction);

    const GEOM_LINE line{{1, 1}, {bx, by}};
    QCOMPARE(Geom_LineLength(&line), length);
    QVERIFY2(std::fabs(Geom_LineAngle(&line) - angle) < 1e-9, qPrintable(QString::number(Geom_LineAngle(&line))));
    QCOMPARE(Geom_LineDirection(&line), direction);
    GEOM_POINT mid{};
    Geom_LineMidPoint(&line, &mid);
    QCOMPARE(mid.x, (1 + bx) / 2);
    QCOMPARE(mid.y, (1 + by) / 2);
}

void TGeometricsTest::rotatesAboutCentreInScreenDirection()
{
    GEOM_POINT point{3, 1};
    const GEOM_POINT center{1, 1};
    Geom_RotatePoint(&point, &center, 90.0);
    QCOMPARE(point.x, 1.0);
    QCOMPARE(point.y, 3.0);
    Geom_RotatePoint(&point, &center, -450.0);
    QCOMPARE(point.x, 3.0);
    QCOMPARE(point.y, 1.0);

    GEOM_LINE line{{0, 0}, {2, 0}};
    Geom_RotateLineByMidPoint(&line, 90.0);
    QCOMPARE(line.a.x, 1.0);
    QCOMPARE(line.a.y, -1.0);
    QCOMPARE(line.b.y, 1.0);

    const GEOM_RECT rect{0, 0, 4, 2};
    GEOM_ROTRECT turned{};
    Geom_RotateRectByMidPoint(&rect, 30.0, &turned);
    QVERIFY(std::fabs(Geom_RotRectArea(&turned) - 8.0) < 1e-9);
    GEOM_POINT mid{};
    Geom_RotRectMidPoint(&turned, &mid);
    QVERIFY(std::fabs(mid.x - 2.0) < 1e-12 && std::fabs(mid.y - 1.0) < 1e-12);
    QCOMPARE(Geom_RadToDeg(Geom_DegToRad(30.0)), 30.0);
}

void TGeometricsTest::pointInRotatedRectangle_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("inside");

    // A square (0, 0)-(10, 10) turned 45 degrees about its middle: a diamond reaching 5 + 7.07 on each axis.
    QTest::newRow("middle") << 5.0 << 5.0 << true;
    QTest::newRow("near the top tip") << 5.0 << -2.0 << true;
    QTest::newRow("old corner, now outside") << 0.5 << 0.5 << false;
    QTest::newRow("beyond the right tip") << 12.2 << 5.0 << false;
    QTest::newRow("on an edge") << 5.0 + 5.0 * std::sqrt(2.0) / 2 << 5.0 - 5.0 * std::sqrt(2.0) / 2 << true;
}

void TGeometricsTest::pointInRotatedRectangle()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, inside);

    const GEOM_RECT square{0, 0, 10, 10};
    GEOM_ROTRECT diamond{};
    Geom_RotateRectByMidPoint(&square, 45.0, &diamond);
    const GEOM_POINT point{x, y};
    QCOMPARE(Geom_PtInRotRect(&diamond, &point) != 0, inside);
}

void TGeometricsTest::pointOnRectangleBorder()
{
    const GEOM_RECT rect{0, 0, 10, 10};
    const GEOM_POINT nearTop{5, 0.3};
    const GEOM_POINT middle{5, 5};
    const GEOM_POINT outside{11, 5};
    QVERIFY(Geom_IsOnRectBorder(&rect, &nearTop, 0.5));
    QVERIFY(!Geom_IsOnRectBorder(&rect, &middle, 0.5));
    QVERIFY(!Geom_IsOnRectBorder(&rect, &outside, 0.5));
    QVERIFY(Geom_IsOnRectBorder(&rect, &outside, 1.0));
}

void TGeometricsTest::fitsRotatedRectangleIntoBounds()
{
    GEOM_ROTRECT rotated{};
    const GEOM_RECT rect{0, 0, 20, 10};
    Geom_RectToRotable(&rect, &rotated);
    const GEOM_RECT bounds{100, 100, 140, 200};
    Geom_FitRotRectIntoBounds(&rotated, &bounds, 1);
    GEOM_RECT enclosing{};
    Geom_RotableToRect(&rotated, &enclosing);
    QCOMPARE(enclosing, (GEOM_RECT{100, 140, 140, 160}));

    uint32_t width = 0;
    uint32_t height = 0;
    QVERIFY(Geom_FitIn(16, 9, 800, 800, &width, &height));
    QCOMPARE(width, 800u);
    QCOMPARE(height, 450u);
    QVERIFY(!Geom_FitIn(0, 9, 800, 800, &width, &height));
    QVERIFY(Geom_ScaleAreaByPerCent(&width, &height, 50.0));
    QCOMPARE(height, 225u);
    QVERIFY(!Geom_ScaleAreaByPerCent(&width, &height, -1.0));
}

void TGeometricsTest::nullPointersAreIgnored()
{
    GEOM_RECT rect{0, 0, 9, 9};
    const GEOM_POINT point{1, 1};
    Geom_FitRectangleIntoArea(10, 10, nullptr, 1);
    Geom_FitRectangleIntoRectangle(nullptr, &rect, 1);
    Geom_CenterRectangleIntoRectangle(&rect, nullptr);
    Geom_RotatePoint(nullptr, &point, 10);
    Geom_RotateRect(&rect, nullptr, 10, nullptr);
    Geom_RotableToRect(nullptr, &rect);
    Geom_MoveRectByMidPoint(&rect, nullptr);
    QCOMPARE(Geom_RectWidth(nullptr), 0);
    QCOMPARE(Geom_DiffRectHeight(&rect, nullptr), 0);
    QCOMPARE(Geom_LineLength(nullptr), 0.0);
    QCOMPARE(Geom_PtInRotRect(nullptr, &point), GEOM_BOOL{0});
    QCOMPARE(Geom_RectEnsureNoOutsides(&rect, nullptr), GEOM_BOOL{0});
    QVERIFY(!Geom_FitIn(1, 1, 1, 1, nullptr, nullptr));
    QCOMPARE(rect, (GEOM_RECT{0, 0, 9, 9}));
}

void TGeometricsTest::restoresExtendedPrecisionOfTheX87Unit()
{
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
    // Some components set the x87 unit to double precision; long double arithmetic then loses its
    // extra bits, and the unit conversions work in long double.
    uint16_t control = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(control));
    const uint16_t doublePrecision = static_cast<uint16_t>((control & ~0x0300u) | 0x0200u);
    __asm__ __volatile__("fldcw %0" : : "m"(doublePrecision));

    const uint32_t previous = Geom_NormalizeDoublePrecisionSet();
    QCOMPARE(previous & 0x0300u, 0x0200u);
    volatile long double one = 1.0L;
    volatile long double tiny = 0x1p-60L;
    QVERIFY(one + tiny != one);
    __asm__ __volatile__("fldcw %0" : : "m"(control));
#else
    QCOMPARE(Geom_NormalizeDoublePrecisionSet(), 0u);
#endif
}

QTEST_GUILESS_MAIN(TGeometricsTest)
#include "tst_geometrics.moc"
