// Points per second of the Transverse Mercator projections, forward and inverse.

#include "geodesy/mapprojection.h"
#include "geodesy/mapprojectionparams.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

using namespace vexa;

namespace {

constexpr double kDegree = kPi / 180.0;

CEllipsoidParams krassowsky()
{
    CEllipsoidParams params;
    params.setInverseFlattening(6378245.0, 298.3);
    return params;
}

// A grid of geodetic points over a six-degree zone about 39E.
std::vector<CCoords> zonePoints()
{
    std::vector<CCoords> result;
    for (int i = 0; i < 32; ++i) {
        for (int j = 0; j < 32; ++j)
            result.emplace_back((40.0 + i) * kDegree, (36.0 + j * 6.0 / 31.0) * kDegree, 0.0);
    }
    return result;
}

void run(benchmark::State& state, const CMapProjectionParams& params)
{
    const std::unique_ptr<CMapProjection> projection = createMapProjection(krassowsky(), params);
    const std::vector<CCoords> input = zonePoints();
    CCoords projected;
    CCoords back;
    for (auto _ : state) {
        for (const CCoords& point : input) {
            projection->GeodeticToProjected(point, &projected);
            projection->ProjectedToGeodetic(projected, &back);
            benchmark::DoNotOptimize(back);
        }
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(input.size()));
}

void transverseMercator(benchmark::State& state)
{
    CMapProjectionTransverseMercatorParams params;
    params.centralMeridian = 39.0 * kDegree;
    params.latitudeOfOrigin = 0.0;
    params.scaleFactor = 1.0;
    params.falseEasting = 7500000.0;
    params.falseNorthing = 0.0;
    run(state, params);
}

void transverseMercatorEquatorial(benchmark::State& state)
{
    CMapProjectionTransverseMercatorEquatorialParams params;
    params.centralMeridian = 39.0 * kDegree;
    params.scaleFactor = 1.0;
    params.falseEasting = 7500000.0;
    params.falseNorthing = 0.0;
    run(state, params);
}

} // namespace

BENCHMARK(transverseMercator);
BENCHMARK(transverseMercatorEquatorial);

BENCHMARK_MAIN();
