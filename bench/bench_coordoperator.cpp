// Points per second of CCoordOperator::transform through typical chains.

#include "geodesy/coordoperator.h"
#include "tests/geodesy/coordoperatorfixture.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

using namespace vexa;
using namespace coordoperatorfixture;

namespace {

// A grid of points around (latitude, longitude) in degrees, or around (x, y) in units.
std::vector<CCoords> points(double first, double second, double third, double step, bool geodetic)
{
    std::vector<CCoords> result;
    const double scale = geodetic ? degree : 1.0;
    for (int i = 0; i < 32; ++i) {
        for (int j = 0; j < 32; ++j) {
            result.emplace_back((first + (i - 16) * step) * scale,
                                (second + (j - 16) * step) * scale, third);
        }
    }
    return result;
}

void run(benchmark::State& state, const CCoordSysParams& from, const CCoordSysParams& to,
         const std::vector<CCoords>& input)
{
    const std::shared_ptr<CCoordOperator> op = CCoordOperator::create(from, to);
    if (!op) {
        state.SkipWithError("no operator");
        return;
    }
    CCoords out;
    for (auto _ : state) {
        for (const CCoords& point : input) {
            benchmark::DoNotOptimize(op->transform(point, &out));
            benchmark::DoNotOptimize(out);
        }
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(input.size()));
}

void geodeticToUtm(benchmark::State& state)
{
    run(state, wgs84Geodetic(), utm37(), points(55.75, 37.62, 150.0, 0.1, true));
}

void gaussKrugerToGeodetic(benchmark::State& state)
{
    run(state, gaussKruger7(), wgs84Geodetic(), points(7480000.0, 6200000.0, 100.0, 5000.0, false));
}

void lambertParisToGeodetic(benchmark::State& state)
{
    run(state, lambertZone2(), wgs84Geodetic(), points(600000.0, 2200000.0, 50.0, 20000.0, false));
}

void geocentricToTopocentric(benchmark::State& state)
{
    run(state, wgs84Geocentric(), moscowTopocentric(), points(2849867.0, 2196278.0, 5248950.0, 500.0, false));
}

void topocentricToGeocentric(benchmark::State& state)
{
    run(state, moscowTopocentric(), wgs84Geocentric(), points(0.0, 0.0, 10.0, 500.0, false));
}

} // namespace

BENCHMARK(geodeticToUtm);
BENCHMARK(gaussKrugerToGeodetic);
BENCHMARK(lambertParisToGeodetic);
BENCHMARK(geocentricToTopocentric);
BENCHMARK(topocentricToGeocentric);

BENCHMARK_MAIN();
