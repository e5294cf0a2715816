// Laying out, painting and scrolling a page of 10,000 rows. The page must stay smooth at 60
// frames per second: layout under 20 ms, one paint under 8 ms.
#include "EPropGrid.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <array>
#include <clocale>
#include <vector>

namespace {
constexpr int kRows = 10000;

// A host with rows of the kinds the reader parameters use: integers, choices and checks.
class BigHost : public IPropertyHost
{
public:
    BigHost() : m_ints(kRows), m_choices(kRows), m_checks(kRows) {}

    void GetProperties(EPropList &list) override
    {
        list.AddPage(QStringLiteral("Many rows"));
        for (int i = 0; i < kRows; ++i) {
            const QString name = QStringLiteral("Parameter %1").arg(i);
            switch (i % 3) {
            case 0:
                m_ints[i] = static_cast<std::uint8_t>(i);
                list.AddInt(this, name, &m_ints[i])->SetSize(1, false)->SetComment(name);
                break;
            case 1:
                list.AddCombo(this, name, &m_choices[i])
                    ->AddItem(QStringLiteral("Disabled"))
                    ->AddItem(QStringLiteral("Enabled"));
                break;
            default:
                list.AddCheck(this, name, reinterpret_cast<bool *>(&m_checks[i]));
            }
        }
    }
    bool PropertyChanging(const void *, const void *) override { return true; }
    bool IsPropertyEnabled(const void *) override { return true; }

private:
    std::vector<std::uint8_t> m_ints;
    std::vector<std::int32_t> m_choices;
    std::vector<char> m_checks;
};

struct Grid
{
    BigHost host;
    EPropCtrl ctrl;
    QImage frame;

    Grid()
    {
        ctrl.resize(420, 700);
        ctrl.ShowComment(true);
        ctrl.SetCommentHeight(70);
        ctrl.List().SetAutoSizeNameColumn(true);
        ctrl.SetHost(&host);
        ctrl.show();
        frame = QImage(ctrl.List().viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    }
    void Paint() { ctrl.List().viewport()->render(&frame); }
};

void BM_LayoutPage(benchmark::State &state)
{
    Grid grid;
    for (auto _ : state)
        grid.ctrl.List().LayoutRows();
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_LayoutPage)->Unit(benchmark::kMillisecond);

void BM_RebuildFromHost(benchmark::State &state)
{
    Grid grid;
    for (auto _ : state)
        grid.ctrl.Refresh();
}
BENCHMARK(BM_RebuildFromHost)->Unit(benchmark::kMillisecond);

void BM_PaintOnce(benchmark::State &state)
{
    Grid grid;
    grid.ctrl.List().verticalScrollBar()->setValue(grid.ctrl.List().verticalScrollBar()->maximum() / 2);
    for (auto _ : state)
        grid.Paint();
}
BENCHMARK(BM_PaintOnce)->Unit(benchmark::kMillisecond);

// One frame of scrolling: move the view by 57 pixels (wrapping at the end) and paint it.
void BM_ScrollAndPaint(benchmark::State &state)
{
    Grid grid;
    QScrollBar *bar = grid.ctrl.List().verticalScrollBar();
    int position = 0;
    for (auto _ : state) {
        position = (position + 57) % (bar->maximum() + 1);
        bar->setValue(position);
        grid.Paint();
    }
}
BENCHMARK(BM_ScrollAndPaint)->Unit(benchmark::kMillisecond);

void BM_PaintWithEditOpen(benchmark::State &state)
{
    Grid grid;
    EPropListCtrl &list = grid.ctrl.List();
    list.Select(list.List().Row(0));
    for (auto _ : state)
        grid.Paint();
}
BENCHMARK(BM_PaintWithEditOpen)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
