// Validation speed of the property grid's regular expressions beside
// std::regex on the same expressions and texts. The grid's engine is given
// the text wrapped in its line-feed and carriage-return sentinels, as the
// in-place editor does; std::regex gets the bare text with the usual anchors.
#include "propgrid/GRegularExpression.h"

#include <benchmark/benchmark.h>

#include <regex>
#include <string>
#include <vector>

namespace
{

struct Case {
    const char *expression;
    std::vector<std::string> texts;
};

// Anchored forms of the date, time and date-time masks the presets use, an
// all-digits value, and two expressions over short texts.
const Case Cases[] = {
    {"^[0-9 ]?[0-9]/[0-9][0-9]/[0-9][0-9][0-9][0-9]$",
     {"12/05/2024", " 1/05/2024", "12/5/2024", "12/05/20x4"}},
    {"^[0-9 ]?[0-9]:[0-9][0-9]:[0-9][0-9] [A-Z][A-Z]$",
     {"10:15:30 AM", " 9:05:00 PM", "10:15:30 am", "10:1:30 AM"}},
    {"^[0-9 ]?[0-9]/[0-9][0-9]/[0-9][0-9][0-9][0-9] [0-9 ]?[0-9]:[0-9][0-9]:[0-9][0-9] [A-Z][A-Z]$",
     {"12/05/2024 10:15:30 AM", " 1/05/2024  9:05:00 PM", "12/05/2024 10:15:30", "12/05/2024"}},
    {"^[0-9]+$", {"12", "1234567", "1a", "x"}},
    {"^.bc(d|e)", {"abcd", "xbce", "abcx", "zzbcd"}},
    {"^zbc(d|e)", {"zbcd", "zbce", "abcd", "zbcx"}},
};

std::vector<std::string> Wrapped(const std::vector<std::string> &texts)
{
    std::vector<std::string> wrapped;
    for (const std::string &text : texts)
        wrapped.push_back("\n" + text + "\r");
    return wrapped;
}

void Engine(benchmark::State &state)
{
    const Case &c = Cases[state.range(0)];
    TGRegularExpression re(c.expression);
    const std::vector<std::string> texts = Wrapped(c.texts);
    int matched = 0;
    for (auto _ : state)
        for (const std::string &text : texts)
            matched += re.Matches(text) > 0;
    benchmark::DoNotOptimize(matched);
    state.SetLabel(c.expression);
    state.SetItemsProcessed(state.iterations() * texts.size());
}

void StdRegex(benchmark::State &state)
{
    const Case &c = Cases[state.range(0)];
    const std::regex re(c.expression);
    int matched = 0;
    for (auto _ : state)
        for (const std::string &text : c.texts)
            matched += std::regex_search(text, re);
    benchmark::DoNotOptimize(matched);
    state.SetLabel(c.expression);
    state.SetItemsProcessed(state.iterations() * c.texts.size());
}

// Both engines must agree on every text, or the comparison means nothing.
void Agreement(benchmark::State &state)
{
    int disagreements = 0;
    for (auto _ : state) {
        disagreements = 0;
        for (const Case &c : Cases) {
            TGRegularExpression re(c.expression);
            const std::regex standard(c.expression);
            for (const std::string &text : c.texts)
                disagreements +=
                    (re.Matches("\n" + text + "\r") > 0) != std::regex_search(text, standard);
        }
    }
    state.counters["disagreements"] = disagreements;
    if (disagreements != 0)
        state.SkipWithError("the engines disagree");
}

} // namespace

BENCHMARK(Engine)->DenseRange(0, std::size(Cases) - 1);
BENCHMARK(StdRegex)->DenseRange(0, std::size(Cases) - 1);
BENCHMARK(Agreement)->Iterations(1);

BENCHMARK_MAIN();
