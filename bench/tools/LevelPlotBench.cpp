// Cost of the radio scan plot at the shortest poll period (20 ms): per answer, one level added to
// the 2-minute series (6,000 samples when full) and one repaint of a plot of the dialog's size.
// CPU time per iteration x 50 is the CPU per second at 50 answers a second (1.1 ms -> 5.5 %).
#include "CLevelPlot.h"
#include "CLevelSeries.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

class Source : public CLevelPlot::Source
{
public:
    explicit Source(const CLevelSeries &series) : m_series(series) {}
    int count() const override { return static_cast<int>(m_series.samples().size()); }
    qint64 timeAt(int i) const override { return m_series.samples()[std::size_t(i)].ms; }
    int levelAt(int i) const override { return m_series.samples()[std::size_t(i)].level; }
    qint64 nowMs() const override { return m_series.samples().empty() ? 0 : m_series.samples().back().ms; }

private:
    const CLevelSeries &m_series;
};

void BM_PlotAtShortestPeriod(benchmark::State &state)
{
    CLevelSeries series;
    Source source(series);
    CLevelPlot plot;
    plot.setSource(&source);
    plot.resize(480, 150);
    QImage image(plot.size(), QImage::Format_ARGB32_Premultiplied);
    qint64 ms = 0;
    for (int i = 0; i < 6000; ++i, ms += 20)
        series.add(ms, 100 + (i * 37) % 120);
    for (auto _ : state) {
        series.add(ms, 100 + static_cast<int>(ms / 20 * 37 % 120));
        ms += 20;
        plot.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["samples"] = static_cast<double>(series.samples().size());
}
BENCHMARK(BM_PlotAtShortestPeriod)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
