#include "geodesy/mapprojection.h"
#include "geodesy/mapprojectionparams.h"

#include <QtTest>

#include <functional>
#include <memory>
#include <typeinfo>

using namespace vexa;

namespace {

using ParamsFactory = std::function<std::shared_ptr<CMapProjectionParams>()>;

template <class T>
ParamsFactory factoryOf()
{
    return [] { return std::make_shared<T>(); };
}

struct RecordKind
{
    const char* name;
    int code;
    ParamsFactory make;
    int fieldCount;
    std::function<double*(CMapProjectionParams&, int)> field;
};

// Fills every field of a record through the public members; answers the field by index.
template <class T, class Owner, class... Fields>
RecordKind kindOf(const char* name, int code, Fields Owner::*... fields)
{
    return {name, code, factoryOf<T>(), static_cast<int>(sizeof...(fields)),
            [=](CMapProjectionParams& params, int index) -> double* {
                double* all[] = {&(static_cast<T&>(params).*fields)...};
                return all[index];
            }};
}

std::vector<RecordKind> allKinds()
{
    using TM = CMapProjectionTransverseMercatorParams;
    using OM = CMapProjectionObliqueMercatorParams;
    using HOM = CMapProjectionHotineObliqueMercatorParams;
    using NZ = CMapProjectionNZMGParams;
    using AEA = CMapProjectionAlbersEqualAreaParams;
    using LCC2 = CMapProjectionLambertConformalConic2SPParams;
    using LCC1 = CMapProjectionLambertConformalConic1SPParams;
    using CS = CMapProjectionCassiniSoldnerParams;
    using M2 = CMapProjectionMercator2SPParams;
    using M1 = CMapProjectionMercator1SPParams;
    using OS = CMapProjectionObliqueStereographicParams;
    using PS = CMapProjectionPolarStereographicParams;
    using QS = CMapProjectionQuasiStereographicParams;
    using PC = CMapProjectionPolyconicParams;
    using GB = CMapProjectionGaussBoagaParams;
    using KR = CMapProjectionKrovakParams;
    using HT = CMapProjectionHattParams;
    using PSA = CMapProjectionPolarStereographicBasicParams;
    using PSB = CMapProjectionPolarStereographicNaturalOriginParams;
    using PSC = CMapProjectionPolarStereographicFalseOriginParams;
    using LAEA = CMapProjectionLambertAzimuthalEqualAreaParams;
    using EC = CMapProjectionEquidistantConicParams;
    using OR = CMapProjectionOrthographicParams;
    using GKW = CMapProjectionGaussKrugerWideZoneParams;
    using TME = CMapProjectionTransverseMercatorEquatorialParams;
    using BE = CMapProjectionLambertConformalConic2SPBelgiumParams;
    using SM = CMapProjectionSphericalMercatorParams;
    return {
        kindOf<TM>("TransverseMercator", 1, &TM::centralMeridian, &TM::latitudeOfOrigin,
                   &TM::scaleFactor, &TM::falseEasting, &TM::falseNorthing),
        kindOf<OM>("ObliqueMercator", 2, &OM::latitudeOfCentre, &OM::longitudeOfCentre,
                   &OM::azimuth, &OM::rectifiedGridAngle, &OM::scaleFactor,
                   &OM::eastingAtCentre, &OM::northingAtCentre),
        kindOf<HOM>("HotineObliqueMercator", 3, &HOM::latitudeOfCentre, &HOM::longitudeOfCentre,
                    &HOM::azimuth, &HOM::rectifiedGridAngle, &HOM::scaleFactor,
                    &HOM::falseEasting, &HOM::falseNorthing),
        kindOf<NZ>("NZMG", 4, &NZ::latitudeOfOrigin, &NZ::longitudeOfOrigin, &NZ::falseEasting,
                   &NZ::falseNorthing),
        kindOf<AEA>("AlbersEqualArea", 5, &AEA::latitudeOfFirstParallel,
                    &AEA::latitudeOfSecondParallel, &AEA::latitudeOfFalseOrigin,
                    &AEA::longitudeOfFalseOrigin, &AEA::eastingAtFalseOrigin,
                    &AEA::northingAtFalseOrigin),
        kindOf<LCC2>("LambertConformalConic2SP", 6, &LCC2::latitudeOfFirstParallel,
                     &LCC2::latitudeOfSecondParallel, &LCC2::latitudeOfFalseOrigin,
                     &LCC2::longitudeOfFalseOrigin, &LCC2::eastingAtFalseOrigin,
                     &LCC2::northingAtFalseOrigin),
        kindOf<LCC1>("LambertConformalConic1SP", 7, &LCC1::latitudeOfOrigin,
                     &LCC1::longitudeOfOrigin, &LCC1::scaleFactor, &LCC1::falseEasting,
                     &LCC1::falseNorthing),
        kindOf<CS>("CassiniSoldner", 8, &CS::latitudeOfOrigin, &CS::longitudeOfOrigin,
                   &CS::falseEasting, &CS::falseNorthing),
        kindOf<M2>("Mercator2SP", 9, &M2::latitudeOfFirstParallel, &M2::longitudeOfOrigin,
                   &M2::falseEasting, &M2::falseNorthing),
        kindOf<M1>("Mercator1SP", 10, &M1::latitudeOfOrigin, &M1::longitudeOfOrigin,
                   &M1::scaleFactor, &M1::falseEasting, &M1::falseNorthing),
        kindOf<OS>("ObliqueStereographic", 11, &OS::longitudeOfOrigin, &OS::latitudeOfOrigin,
                   &OS::scaleFactor, &OS::falseEasting, &OS::falseNorthing),
        kindOf<PS>("PolarStereographic", 12, &PS::longitudeOfOrigin, &PS::latitudeOfOrigin,
                   &PS::scaleFactor, &PS::falseEasting, &PS::falseNorthing),
        kindOf<QS>("QuasiStereographic", 13, &QS::longitudeOfOrigin, &QS::latitudeOfOrigin,
                   &QS::scaleFactor, &QS::falseEasting, &QS::falseNorthing),
        kindOf<PC>("Polyconic", 14, &PC::longitudeOfOrigin, &PC::latitudeOfOrigin,
                   &PC::scaleFactor, &PC::falseEasting, &PC::falseNorthing),
        kindOf<GB>("GaussBoaga", 15, &GB::centralMeridian, &GB::scaleFactor, &GB::falseEasting,
                   &GB::falseNorthing),
        kindOf<KR>("Krovak", 16, &KR::latitudeOfCentre, &KR::longitudeOfOrigin,
                   &KR::coLatitudeOfConeAxis, &KR::latitudeOfPseudoStandardParallel,
                   &KR::scaleFactor, &KR::falseEasting, &KR::falseNorthing),
        kindOf<HT>("Hatt", 17, &HT::latitudeOfOrigin, &HT::longitudeOfOrigin, &HT::falseEasting,
                   &HT::falseNorthing),
        kindOf<PSA>("PolarStereographicBasic", 21, &PSA::longitudeOfOrigin, &PSA::scaleFactor,
                    &PSA::falseEasting, &PSA::falseNorthing),
        kindOf<PSB>("PolarStereographicNaturalOrigin", 22, &PSB::latitudeOfStandardParallel,
                    &PSB::longitudeOfOrigin, &PSB::falseEasting, &PSB::falseNorthing),
        kindOf<PSC>("PolarStereographicFalseOrigin", 23, &PSC::latitudeOfStandardParallel,
                    &PSC::longitudeOfOrigin, &PSC::eastingAtFalseOrigin,
                    &PSC::northingAtFalseOrigin),
        kindOf<LAEA>("LambertAzimuthalEqualArea", 24, &LAEA::latitudeOfOrigin,
                     &LAEA::longitudeOfOrigin, &LAEA::falseEasting, &LAEA::falseNorthing),
        kindOf<EC>("EquidistantConic", 25, &EC::latitudeOfFirstParallel,
                   &EC::latitudeOfSecondParallel, &EC::latitudeOfOrigin, &EC::longitudeOfOrigin,
                   &EC::falseEasting, &EC::falseNorthing),
        kindOf<OR>("Orthographic", 26, &OR::latitudeOfOrigin, &OR::longitudeOfOrigin,
                   &OR::falseEasting, &OR::falseNorthing),
        kindOf<GKW>("GaussKrugerWideZone", 101, &GKW::centralMeridian, &GKW::scaleFactor,
                    &GKW::falseEasting, &GKW::falseNorthing),
        kindOf<TME>("TransverseMercatorEquatorial", 1011, &TME::centralMeridian,
                    &TME::scaleFactor, &TME::falseEasting, &TME::falseNorthing),
        kindOf<BE>("LambertConformalConic2SPBelgium", 1201, &BE::latitudeOfFirstParallel,
                   &BE::latitudeOfSecondParallel, &BE::latitudeOfFalseOrigin,
                   &BE::longitudeOfFalseOrigin, &BE::eastingAtFalseOrigin,
                   &BE::northingAtFalseOrigin),
        kindOf<SM>("SphericalMercator", 1313, &SM::longitudeOfOrigin, &SM::scaleFactor,
                   &SM::falseEasting, &SM::falseNorthing),
    };
}

void setPole(CMapProjectionParams& params, int pole)
{
    if (auto* p = dynamic_cast<CMapProjectionPolarStereographicBasicParams*>(&params))
        p->pole = pole;
    if (auto* p = dynamic_cast<CMapProjectionPolarStereographicNaturalOriginParams*>(&params))
        p->pole = pole;
    if (auto* p = dynamic_cast<CMapProjectionPolarStereographicFalseOriginParams*>(&params))
        p->pole = pole;
}

void fill(const RecordKind& kind, CMapProjectionParams& params)
{
    for (int i = 0; i < kind.fieldCount; ++i)
        *kind.field(params, i) = 0.25 + i;
    setPole(params, 1);
}

CMapProjectionTransverseMercatorParams filledTransverseMercator()
{
    CMapProjectionTransverseMercatorParams params;
    params.centralMeridian = 0.5;
    params.latitudeOfOrigin = 0.0;
    params.scaleFactor = 0.9996;
    params.falseEasting = 500000.0;
    params.falseNorthing = 0.0;
    return params;
}

} // namespace

Q_DECLARE_METATYPE(RecordKind)

class TestMapProjectionParams : public QObject
{
    Q_OBJECT

private slots:
    void records_data();
    void records();
    void polarRecordNeedsPole();
    void nanFieldIsInvalid();
    void comparisonRules_data();
    void comparisonRules();
    void differentClassesNeverEqual();
    void sameCodeOtherClassThrows();
    void belgianCopyKeepsItsCode();
    void freeComparisons();
    void factoryAnswersNullForUnknownCodes();
};

void TestMapProjectionParams::records_data()
{
    QTest::addColumn<RecordKind>("kind");
    for (const RecordKind& kind : allKinds())
        QTest::newRow(kind.name) << kind;
}

// Default record invalid; all fields set makes it valid and equal to its copy; a changed
// field makes the copy unequal; clear makes it invalid and keeps the type code.
void TestMapProjectionParams::records()
{
    QFETCH(RecordKind, kind);
    std::shared_ptr<CMapProjectionParams> params = kind.make();
    QCOMPARE(params->getType(), kind.code);
    QVERIFY(!params->isValid());
    for (int i = 0; i < kind.fieldCount; ++i)
        QCOMPARE(*kind.field(*params, i), kUndefined);

    fill(kind, *params);
    QVERIFY(params->isValid());
    std::shared_ptr<CMapProjectionParams> other = kind.make();
    fill(kind, *other);
    QVERIFY(params->isEqual(*other));

    for (int i = 0; i < kind.fieldCount; ++i) {
        *kind.field(*other, i) += 1e-3;
        QVERIFY2(!params->isEqual(*other), qPrintable(QString("field %1").arg(i)));
        *kind.field(*other, i) -= 1e-3;
        *kind.field(*other, i) = kUndefined;
        QVERIFY(!other->isValid());
        fill(kind, *other);
    }

    params->clear();
    QVERIFY(!params->isValid());
    QCOMPARE(params->getType(), kind.code);
    for (int i = 0; i < kind.fieldCount; ++i)
        QCOMPARE(*kind.field(*params, i), kUndefined);
}

void TestMapProjectionParams::polarRecordNeedsPole()
{
    for (const RecordKind& kind : allKinds()) {
        if (kind.code < 21 || kind.code > 23)
            continue;
        std::shared_ptr<CMapProjectionParams> params = kind.make();
        fill(kind, *params);
        std::shared_ptr<CMapProjectionParams> south = kind.make();
        fill(kind, *south);
        setPole(*south, 2);
        QVERIFY(!params->isEqual(*south));
        setPole(*params, 0);
        QVERIFY(!params->isValid());
        setPole(*params, 7);
        QVERIFY(params->isValid());
        params->clear();
        for (int i = 0; i < kind.fieldCount; ++i)
            *kind.field(*params, i) = 1.0;
        QVERIFY(!params->isValid());
    }
}

void TestMapProjectionParams::nanFieldIsInvalid()
{
    CMapProjectionTransverseMercatorParams params = filledTransverseMercator();
    QVERIFY(params.isValid());
    params.scaleFactor = NAN;
    QVERIFY(!params.isValid());
}

void TestMapProjectionParams::comparisonRules_data()
{
    QTest::addColumn<double>("meridian");
    QTest::addColumn<double>("eastingChange");
    QTest::addColumn<double>("scaleChange");
    QTest::addColumn<bool>("equal");
    QTest::newRow("meridian -pi and pi") << -kPi << 0.0 << 0.0 << true;
    QTest::newRow("easting 2e-7 apart") << 0.5 << 2e-7 << 0.0 << false;
    QTest::newRow("easting 5e-8 apart") << 0.5 << 5e-8 << 0.0 << true;
    QTest::newRow("scale 1e-13 apart") << 0.5 << 0.0 << 1e-13 << true;
    QTest::newRow("scale 1e-11 apart") << 0.5 << 0.0 << 1e-11 << false;
}

void TestMapProjectionParams::comparisonRules()
{
    QFETCH(double, meridian);
    QFETCH(double, eastingChange);
    QFETCH(double, scaleChange);
    QFETCH(bool, equal);
    CMapProjectionTransverseMercatorParams left = filledTransverseMercator();
    CMapProjectionTransverseMercatorParams right = filledTransverseMercator();
    left.centralMeridian = meridian;
    right.centralMeridian = meridian == 0.5 ? 0.5 : -meridian;
    right.falseEasting += eastingChange;
    right.scaleFactor += scaleChange;
    QCOMPARE(left.isEqual(right), equal);
    QCOMPARE(right.isEqual(left), equal);
}

void TestMapProjectionParams::differentClassesNeverEqual()
{
    CMapProjectionGaussBoagaParams boaga;
    CMapProjectionGaussKrugerWideZoneParams wide;
    boaga.centralMeridian = wide.centralMeridian = 0.1;
    boaga.scaleFactor = wide.scaleFactor = 1.0;
    boaga.falseEasting = wide.falseEasting = 0.0;
    boaga.falseNorthing = wide.falseNorthing = 0.0;
    QVERIFY(!boaga.isEqual(wide));
    QVERIFY(!wide.isEqual(boaga));
    CMapProjectionLambertConformalConic2SPParams lambert;
    CMapProjectionLambertConformalConic2SPBelgiumParams belgian;
    QVERIFY(!lambert.isEqual(belgian));
}

// A foreign record with any type code.
class CCodeParams : public CMapProjectionParams
{
public:
    explicit CCodeParams(int code) : CMapProjectionParams(code) {}
    bool isEqual(const CMapProjectionParams&) const override { return false; }
};

void TestMapProjectionParams::sameCodeOtherClassThrows()
{
    const CMapProjectionTransverseMercatorParams params = filledTransverseMercator();
    QVERIFY_EXCEPTION_THROWN(params.isEqual(CCodeParams(1)), std::bad_cast);
}

void TestMapProjectionParams::belgianCopyKeepsItsCode()
{
    CMapProjectionLambertConformalConic2SPBelgiumParams belgian;
    belgian.latitudeOfFirstParallel = 0.1;
    const CMapProjectionLambertConformalConic2SPBelgiumParams copy(belgian);
    QCOMPARE(copy.getType(), 1201);
    QCOMPARE(copy.latitudeOfFirstParallel, 0.1);
    QCOMPARE(CMapProjectionLambertConformalConic2SPParams().getType(), 6);
}

void TestMapProjectionParams::freeComparisons()
{
    QVERIFY(isEqualLength(10.0, 10.0 + 1e-7));
    QVERIFY(!isEqualLength(10.0, 10.0 + 1.1e-7));
    QVERIFY(isEqualAngle(kPi - 1e-13, -kPi));
    QVERIFY(!isEqualAngle(0.0, 2e-12));
    QVERIFY(isEqualValue(1.0, 1.0 + 5e-13));
    QVERIFY(!isEqualValue(1.0, 1.0 + 2e-12));
}

void TestMapProjectionParams::factoryAnswersNullForUnknownCodes()
{
    const CEllipsoidParams ellipsoid(6378137.0, 6356752.314245);
    for (int code : {0, 19, 2000}) {
        QVERIFY(!createMapProjection(ellipsoid, CCodeParams(code)));
        QVERIFY_EXCEPTION_THROWN(
            CCoordOperationMapProjection(ellipsoid, CCodeParams(code), DirectionForward),
            std::runtime_error);
    }
}

QTEST_APPLESS_MAIN(TestMapProjectionParams)
#include "test_mapprojectionparams.moc"
