#include "engine/colour/colorscience.h"

#include <QColor>
#include <QTest>

#include <cmath>
#include <random>

using Corvo::Lab;

Q_DECLARE_METATYPE(Corvo::Lab)
Q_DECLARE_METATYPE(Corvo::XYZ)

namespace {

// CIEDE2000 written out step by step from the hue angles, as the formula is usually
// stated. The library computes the hue terms differently for speed; both must agree.
double referenceDeltaE2000(const Lab &one, const Lab &two)
{
    const double pi = 3.14159265358979323846;
    const double c1 = std::hypot(one.a, one.b);
    const double c2 = std::hypot(two.a, two.b);
    const double meanC7 = std::pow((c1 + c2) / 2.0, 7.0);
    const double g = 0.5 * (1.0 - std::sqrt(meanC7 / (meanC7 + 6103515625.0)));
    const double a1 = (1.0 + g) * one.a;
    const double a2 = (1.0 + g) * two.a;
    const double c1p = std::hypot(a1, one.b);
    const double c2p = std::hypot(a2, two.b);
    double h1 = std::atan2(one.b, a1);
    double h2 = std::atan2(two.b, a2);
    if (h1 < 0.0)
        h1 += 2.0 * pi;
    if (h2 < 0.0)
        h2 += 2.0 * pi;
    const double meanL = (one.l + two.l) / 2.0;
    const double meanCp = (c1p + c2p) / 2.0;
    double meanH = (h1 + h2) / 2.0;
    if (std::fabs(h1 - h2) > pi)
        meanH += h1 + h2 < 2.0 * pi ? pi : -pi;
    const double t = 1.0 - 0.17 * std::cos(meanH - 0.5235987755982988) +
                     0.24 * std::cos(2.0 * meanH) +
                     0.32 * std::cos(3.0 * meanH + 0.10471975511965977) -
                     0.20 * std::cos(4.0 * meanH - 1.0995574287564276);
    double dh = h2 - h1;
    if (dh > pi)
        dh -= 2.0 * pi;
    else if (dh < -pi)
        dh += 2.0 * pi;
    const double dL = two.l - one.l;
    const double dC = c2p - c1p;
    const double dH = 2.0 * std::sqrt(c1p * c2p) * std::sin(dh / 2.0);
    const double sl =
        1.0 + 0.015 * std::pow(meanL - 50.0, 2) / std::sqrt(20.0 + std::pow(meanL - 50.0, 2));
    const double sc = 1.0 + 0.045 * meanCp;
    const double sh = 1.0 + 0.015 * meanCp * t;
    const double dTheta = 0.5235987755982988 *
                          std::exp(-std::pow((meanH - 4.799655442984406) / (25.0 * pi / 180.0), 2));
    const double meanCp7 = std::pow(meanCp, 7.0);
    const double rt = -std::sin(2.0 * dTheta) * 2.0 * std::sqrt(meanCp7 / (meanCp7 + 6103515625.0));
    return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) +
                     rt * (dC / sc) * (dH / sh));
}

bool agreesWithReference(const Lab &one, const Lab &two)
{
    const double expected = referenceDeltaE2000(one, two);
    return std::fabs(Corvo::deltaE2000(one, two) - expected) <= 1e-9 * (1.0 + expected);
}

bool closeTo(double actual, double expected, double tolerance)
{
    return std::fabs(actual - expected) <= tolerance;
}

// Four decimals as published: half a unit of the last place.
constexpr double fourDecimals = 0.00005;

} // namespace

class TestColorScience : public QObject
{
    Q_OBJECT

private slots:
    void labFromColorGivesKnownValues_data();
    void labFromColorGivesKnownValues();
    void srgbThresholdTakesLinearBranch();
    void labThresholdTakesLinearBranch();
    void labFromXyzOfWhiteIsNeutral();
    void bradfordGivesPublishedValues_data();
    void bradfordGivesPublishedValues();
    void labSurvivesTheWayBackThroughXyz_data();
    void labSurvivesTheWayBackThroughXyz();
    void outOfRangeColoursStayFinite_data();
    void outOfRangeColoursStayFinite();
    void publishedPairsMatch_data();
    void publishedPairsMatch();
    void differenceOfNearColours_data();
    void differenceOfNearColours();
    void differenceIsSymmetric_data();
    void differenceIsSymmetric();
    void differenceOfColourWithItselfIsZero_data();
    void differenceOfColourWithItselfIsZero();
    void achromaticPairDependsOnLightnessOnly();
    void agreesWithStepByStepFormula();
    void agreesNearOppositeAndEqualHues_data();
    void agreesNearOppositeAndEqualHues();
};

void TestColorScience::labFromColorGivesKnownValues_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<double>("l");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");

    QTest::newRow("black") << QColor(0, 0, 0) << 0.0 << 0.0 << 0.0;
    // The four-decimal matrix does not map white exactly onto D65.
    QTest::newRow("white") << QColor(255, 255, 255) << 100.0 << 0.0053 << -0.0104;
    QTest::newRow("red") << QColor(255, 0, 0) << 53.2329 << 80.1093 << 67.2201;
    QTest::newRow("grey") << QColor(128, 128, 128) << 53.5850 << 0.0032 << -0.0062;
}

void TestColorScience::labFromColorGivesKnownValues()
{
    QFETCH(QColor, color);
    QFETCH(double, l);
    QFETCH(double, a);
    QFETCH(double, b);

    const Lab lab = Corvo::labFromColor(color);
    QVERIFY2(closeTo(lab.l, l, fourDecimals), qPrintable(QString::number(lab.l, 'f', 6)));
    QVERIFY2(closeTo(lab.a, a, fourDecimals), qPrintable(QString::number(lab.a, 'f', 6)));
    QVERIFY2(closeTo(lab.b, b, fourDecimals), qPrintable(QString::number(lab.b, 'f', 6)));
}

void TestColorScience::srgbThresholdTakesLinearBranch()
{
    const double threshold = 0.04045;
    const Corvo::XYZ xyz = Corvo::xyzFromRgb(threshold, threshold, threshold);
    const double decoded = threshold / 12.92;
    QCOMPARE(xyz.y, (0.2126 + 0.7152 + 0.0722) * decoded);
    // The power branch would give a slightly different value at the same point.
    const double powered = std::pow((threshold + 0.055) / 1.055, 2.4);
    QVERIFY(decoded != powered);
}

void TestColorScience::labThresholdTakesLinearBranch()
{
    const double threshold = 216.0 / 24389.0;
    const Lab lab = Corvo::labFromXyz({threshold, threshold, threshold}, {1.0, 1.0, 1.0});
    const double linear = (24389.0 / 27.0 * threshold + 16.0) / 116.0;
    QCOMPARE(lab.l, 116.0 * linear - 16.0);
    QCOMPARE(lab.a, 0.0);
    QCOMPARE(lab.b, 0.0);
}

void TestColorScience::labFromXyzOfWhiteIsNeutral()
{
    const Lab lab = Corvo::labFromXyz(Corvo::d65White, Corvo::d65White);
    QCOMPARE(lab.l, 100.0);
    QCOMPARE(lab.a, 0.0);
    QCOMPARE(lab.b, 0.0);
}

void TestColorScience::bradfordGivesPublishedValues_data()
{
    using Corvo::XYZ;
    QTest::addColumn<XYZ>("xyz");
    QTest::addColumn<XYZ>("from");
    QTest::addColumn<XYZ>("to");
    QTest::addColumn<XYZ>("expected");
    QTest::addColumn<double>("tolerance");

    const XYZ d65 = Corvo::d65White;
    const XYZ d50 = Corvo::d50White;
    QTest::newRow("D65 white becomes D50 white") << d65 << d65 << d50 << d50 << 1e-12;
    QTest::newRow("D50 white becomes D65 white") << d50 << d50 << d65 << d65 << 1e-12;
    QTest::newRow("same white changes nothing")
        << XYZ{0.3, 0.4, 0.5} << d65 << d65 << XYZ{0.3, 0.4, 0.5} << 1e-12;
    // The columns of the published Bradford matrix from D65 to D50 (seven decimals).
    QTest::newRow("X alone") << XYZ{1, 0, 0} << d65 << d50 << XYZ{1.0478112, 0.0295424, -0.0092345}
                             << 5e-7;
    QTest::newRow("Y alone") << XYZ{0, 1, 0} << d65 << d50 << XYZ{0.0228866, 0.9904844, 0.0150436}
                             << 5e-7;
    QTest::newRow("Z alone") << XYZ{0, 0, 1} << d65 << d50 << XYZ{-0.0501270, -0.0170491, 0.7521316}
                             << 5e-7;
}

void TestColorScience::bradfordGivesPublishedValues()
{
    QFETCH(Corvo::XYZ, xyz);
    QFETCH(Corvo::XYZ, from);
    QFETCH(Corvo::XYZ, to);
    QFETCH(Corvo::XYZ, expected);
    QFETCH(double, tolerance);
    const Corvo::XYZ adapted = Corvo::bradfordAdapted(xyz, from, to);
    const QString shown = QStringLiteral("%1 %2 %3")
                              .arg(adapted.x, 0, 'f', 9)
                              .arg(adapted.y, 0, 'f', 9)
                              .arg(adapted.z, 0, 'f', 9);
    QVERIFY2(closeTo(adapted.x, expected.x, tolerance), qPrintable(shown));
    QVERIFY2(closeTo(adapted.y, expected.y, tolerance), qPrintable(shown));
    QVERIFY2(closeTo(adapted.z, expected.z, tolerance), qPrintable(shown));
}

void TestColorScience::labSurvivesTheWayBackThroughXyz_data()
{
    QTest::addColumn<Lab>("lab");
    QTest::newRow("white") << Lab{100.0, 0.0, 0.0};
    QTest::newRow("saturated red") << Lab{53.2329, 80.1093, 67.2201};
    QTest::newRow("dark blue in the linear part") << Lab{3.0, 4.0, -12.0};
    QTest::newRow("black") << Lab{0.0, 0.0, 0.0};
}

void TestColorScience::labSurvivesTheWayBackThroughXyz()
{
    QFETCH(Lab, lab);
    const Lab back = Corvo::labFromXyz(Corvo::xyzFromLab(lab, Corvo::d50White), Corvo::d50White);
    QVERIFY(closeTo(back.l, lab.l, 1e-9));
    QVERIFY(closeTo(back.a, lab.a, 1e-9));
    QVERIFY(closeTo(back.b, lab.b, 1e-9));
}

void TestColorScience::outOfRangeColoursStayFinite_data()
{
    QTest::addColumn<QColor>("color");
    QTest::newRow("invalid") << QColor();
    QTest::newRow("clamped from above") << QColor(300, -5, 999);
    QTest::newRow("extended range") << QColor::fromRgbF(1.5f, -0.25f, 2.0f);
}

void TestColorScience::outOfRangeColoursStayFinite()
{
    QFETCH(QColor, color);
    const Lab lab = Corvo::labFromColor(color);
    QVERIFY(std::isfinite(lab.l));
    QVERIFY(std::isfinite(lab.a));
    QVERIFY(std::isfinite(lab.b));
    const double difference = Corvo::deltaE2000(lab, Corvo::labFromColor(Qt::gray));
    QVERIFY(std::isfinite(difference));
    QVERIFY(difference >= 0.0);
}

// Sharma, Wu and Dalal, "The CIEDE2000 color-difference formula: implementation notes,
// supplementary test data and mathematical observations", 2005: all 34 pairs.
void TestColorScience::publishedPairsMatch_data()
{
    QTest::addColumn<double>("l1");
    QTest::addColumn<double>("a1");
    QTest::addColumn<double>("b1");
    QTest::addColumn<double>("l2");
    QTest::addColumn<double>("a2");
    QTest::addColumn<double>("b2");
    QTest::addColumn<double>("expected");

    struct Pair
    {
        double l1, a1, b1, l2, a2, b2, expected;
    };
    static const Pair pairs[] = {
        {50.0000, 2.6772, -79.7751, 50.0000, 0.0000, -82.7485, 2.0425},
        {50.0000, 3.1571, -77.2803, 50.0000, 0.0000, -82.7485, 2.8615},
        {50.0000, 2.8361, -74.0200, 50.0000, 0.0000, -82.7485, 3.4412},
        {50.0000, -1.3802, -84.2814, 50.0000, 0.0000, -82.7485, 1.0000},
        {50.0000, -1.1848, -84.8006, 50.0000, 0.0000, -82.7485, 1.0000},
        {50.0000, -0.9009, -85.5211, 50.0000, 0.0000, -82.7485, 1.0000},
        {50.0000, 0.0000, 0.0000, 50.0000, -1.0000, 2.0000, 2.3669},
        {50.0000, -1.0000, 2.0000, 50.0000, 0.0000, 0.0000, 2.3669},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0009, 7.1792},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0010, 7.1792},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0011, 7.2195},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0012, 7.2195},
        {50.0000, -0.0010, 2.4900, 50.0000, 0.0009, -2.4900, 4.8045},
        {50.0000, -0.0010, 2.4900, 50.0000, 0.0010, -2.4900, 4.8045},
        {50.0000, -0.0010, 2.4900, 50.0000, 0.0011, -2.4900, 4.7461},
        {50.0000, 2.5000, 0.0000, 50.0000, 0.0000, -2.5000, 4.3065},
        {50.0000, 2.5000, 0.0000, 73.0000, 25.0000, -18.0000, 27.1492},
        {50.0000, 2.5000, 0.0000, 61.0000, -5.0000, 29.0000, 22.8977},
        {50.0000, 2.5000, 0.0000, 56.0000, -27.0000, -3.0000, 31.9030},
        {50.0000, 2.5000, 0.0000, 58.0000, 24.0000, 15.0000, 19.4535},
        {50.0000, 2.5000, 0.0000, 50.0000, 3.1736, 0.5854, 1.0000},
        {50.0000, 2.5000, 0.0000, 50.0000, 3.2972, 0.0000, 1.0000},
        {50.0000, 2.5000, 0.0000, 50.0000, 1.8634, 0.5757, 1.0000},
        {50.0000, 2.5000, 0.0000, 50.0000, 3.2592, 0.3350, 1.0000},
        {60.2574, -34.0099, 36.2677, 60.4626, -34.1751, 39.4387, 1.2644},
        {63.0109, -31.0961, -5.8663, 62.8187, -29.7946, -4.0864, 1.2630},
        {61.2901, 3.7196, -5.3901, 61.4292, 2.2480, -4.9620, 1.8731},
        {35.0831, -44.1164, 3.7933, 35.0232, -40.0716, 1.5901, 1.8645},
        {22.7233, 20.0904, -46.6940, 23.0331, 14.9730, -42.5619, 2.0373},
        {36.4612, 47.8580, 18.3852, 36.2715, 50.5065, 21.2231, 1.4146},
        {90.8027, -2.0831, 1.4410, 91.1528, -1.6435, 0.0447, 1.4441},
        {90.9257, -0.5406, -0.9208, 88.6381, -0.8985, -0.7239, 1.5381},
        {6.7747, -0.2908, -2.4247, 5.8714, -0.0985, -2.2286, 0.6377},
        {2.0776, 0.0795, -1.1350, 0.9033, -0.0636, -0.5514, 0.9082},
    };
    int number = 1;
    for (const Pair &p : pairs) {
        QTest::addRow("pair %d", number++)
            << p.l1 << p.a1 << p.b1 << p.l2 << p.a2 << p.b2 << p.expected;
    }
}

void TestColorScience::publishedPairsMatch()
{
    QFETCH(double, l1);
    QFETCH(double, a1);
    QFETCH(double, b1);
    QFETCH(double, l2);
    QFETCH(double, a2);
    QFETCH(double, b2);
    QFETCH(double, expected);

    const double forward = Corvo::deltaE2000({l1, a1, b1}, {l2, a2, b2});
    QVERIFY2(closeTo(forward, expected, fourDecimals),
             qPrintable(QString::number(forward, 'f', 6)));
    const double backward = Corvo::deltaE2000({l2, a2, b2}, {l1, a1, b1});
    QVERIFY2(closeTo(backward, expected, fourDecimals),
             qPrintable(QString::number(backward, 'f', 6)));
}

void TestColorScience::differenceOfNearColours_data()
{
    QTest::addColumn<QColor>("first");
    QTest::addColumn<QColor>("second");
    QTest::addColumn<double>("expected");
    QTest::newRow("greys") << QColor(128, 128, 128) << QColor(129, 128, 128) << 0.5751;
    QTest::newRow("greens") << QColor(10, 200, 10) << QColor(12, 200, 10) << 0.0260;
}

void TestColorScience::differenceOfNearColours()
{
    QFETCH(QColor, first);
    QFETCH(QColor, second);
    QFETCH(double, expected);
    const double difference =
        Corvo::deltaE2000(Corvo::labFromColor(first), Corvo::labFromColor(second));
    QVERIFY2(closeTo(difference, expected, fourDecimals),
             qPrintable(QString::number(difference, 'f', 6)));
}

void TestColorScience::differenceIsSymmetric_data()
{
    QTest::addColumn<QColor>("first");
    QTest::addColumn<QColor>("second");
    QTest::newRow("red and blue") << QColor(255, 0, 0) << QColor(0, 0, 255);
    QTest::newRow("near greys") << QColor(128, 128, 128) << QColor(129, 128, 128);
    QTest::newRow("greens") << QColor(10, 200, 10) << QColor(12, 200, 10);
    QTest::newRow("black and white") << QColor(0, 0, 0) << QColor(255, 255, 255);
    QTest::newRow("purple and teal") << QColor(120, 40, 160) << QColor(20, 150, 140);
}

void TestColorScience::differenceIsSymmetric()
{
    QFETCH(QColor, first);
    QFETCH(QColor, second);
    const Lab one = Corvo::labFromColor(first);
    const Lab other = Corvo::labFromColor(second);
    const double forward = Corvo::deltaE2000(one, other);
    const double backward = Corvo::deltaE2000(other, one);
    QVERIFY(forward > 0.0);
    QVERIFY2(
        closeTo(forward, backward, 1e-12),
        qPrintable(QStringLiteral("%1 vs %2").arg(forward, 0, 'g', 17).arg(backward, 0, 'g', 17)));
}

void TestColorScience::differenceOfColourWithItselfIsZero_data()
{
    QTest::addColumn<QColor>("color");
    QTest::newRow("black") << QColor(0, 0, 0);
    QTest::newRow("white") << QColor(255, 255, 255);
    QTest::newRow("red") << QColor(255, 0, 0);
    QTest::newRow("blue") << QColor(0, 0, 255);
    QTest::newRow("olive") << QColor(128, 128, 0);
}

void TestColorScience::differenceOfColourWithItselfIsZero()
{
    QFETCH(QColor, color);
    const Lab lab = Corvo::labFromColor(color);
    QCOMPARE(Corvo::deltaE2000(lab, lab), 0.0);
}

void TestColorScience::achromaticPairDependsOnLightnessOnly()
{
    // Mean lightness 50 leaves the lightness weight at 1.
    QCOMPARE(Corvo::deltaE2000({40.0, 0.0, 0.0}, {60.0, 0.0, 0.0}), 20.0);
}

void TestColorScience::agreesWithStepByStepFormula()
{
    std::mt19937 random(20240607);
    std::uniform_real_distribution<double> lightness(0.0, 100.0);
    std::uniform_real_distribution<double> axis(-128.0, 128.0);
    std::uniform_real_distribution<double> nudge(-2.0, 2.0);
    for (int i = 0; i < 200000; ++i) {
        const Lab one{lightness(random), axis(random), axis(random)};
        // Half the pairs are far apart, half are near neighbours as in a real search.
        const Lab two =
            i % 2 ? Lab{lightness(random), axis(random), axis(random)}
                  : Lab{one.l + nudge(random), one.a + nudge(random), one.b + nudge(random)};
        if (!agreesWithReference(one, two)) {
            QFAIL(qPrintable(QStringLiteral("(%1, %2, %3) vs (%4, %5, %6)")
                                 .arg(one.l, 0, 'g', 17)
                                 .arg(one.a, 0, 'g', 17)
                                 .arg(one.b, 0, 'g', 17)
                                 .arg(two.l, 0, 'g', 17)
                                 .arg(two.a, 0, 'g', 17)
                                 .arg(two.b, 0, 'g', 17)));
        }
    }
}

void TestColorScience::agreesNearOppositeAndEqualHues_data()
{
    QTest::addColumn<Lab>("one");
    QTest::addColumn<Lab>("two");
    QTest::newRow("exactly opposite") << Lab{50, 20, -10} << Lab{55, -20, 10};
    QTest::newRow("opposite, unequal chroma") << Lab{50, 20, -10} << Lab{55, -40, 20};
    QTest::newRow("opposite within 1e-7") << Lab{50, 20, 0} << Lab{50, -20, 2e-6};
    QTest::newRow("opposite within 1e-7, other side") << Lab{50, 20, 0} << Lab{50, -20, -2e-6};
    QTest::newRow("opposite within 1e-5") << Lab{50, 20, 0} << Lab{50, -20, 2e-4};
    QTest::newRow("opposite along b") << Lab{50, 0, 30} << Lab{50, 0, -30};
    QTest::newRow("same hue, other chroma") << Lab{50, 10, 10} << Lab{50, 20, 20};
    QTest::newRow("hues either side of zero") << Lab{50, 30, 0.01} << Lab{50, 30, -0.01};
    QTest::newRow("hues either side of 180") << Lab{50, -30, 0.01} << Lab{50, -30, -0.01};
    QTest::newRow("mean hue near 275 degrees") << Lab{40, 5, -60} << Lab{42, 3, -58};
    QTest::newRow("one neutral") << Lab{50, 0, 0} << Lab{50, -1, 2};
}

void TestColorScience::agreesNearOppositeAndEqualHues()
{
    QFETCH(Lab, one);
    QFETCH(Lab, two);
    QVERIFY(agreesWithReference(one, two));
    QVERIFY(agreesWithReference(two, one));
}

QTEST_GUILESS_MAIN(TestColorScience)
#include "tst_colorscience.moc"
