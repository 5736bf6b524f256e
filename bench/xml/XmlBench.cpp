// Parses and serializes the same in-memory bytes with this library and with
// two common XML libraries, on a layout-shaped document and on a document of
// deep nesting with long texts.
#include "xml/XmlDocument.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <pugixml.hpp>

#include <malloc.h>

#include <string>

namespace
{

// About 20 MB: 5000 "control" elements of 60 "property" elements each.
const std::string &LayoutText()
{
    static const std::string text = [] {
        IXmlDocument doc = NewXmlDocument("layout");
        IXmlElement root = doc->DocumentElement();
        for (int c = 0; c < 5000; ++c) {
            IXmlElement control = root->AppendElement("control");
            control->WriteAttr("type", c % 3 ? "Button" : "Label");
            control->WriteAttr("name", "Control" + std::to_string(c));
            for (int p = 0; p < 60; ++p) {
                IXmlElement property = control->AppendElement("property");
                property->WriteAttr("name", "Property" + std::to_string(p) + ".Sub");
                property->WriteAttr("value", "value text " + std::to_string(c * 60 + p) + " of " +
                                                 std::to_string(p % 7 ? p * 13 : 12345678));
            }
        }
        return doc->Xml();
    }();
    return text;
}

// Chains of nested elements, each level with a long text (unindented, as a
// deep document would be written without indentation).
const std::string &DeepText()
{
    static const std::string text = [] {
        std::string out = "<?xml version=\"1.0\"?><deep>";
        const std::string longText(600, 'x');
        for (int chain = 0; chain < 40; ++chain) {
            for (int level = 0; level < 400; ++level)
                out += "<level depth=\"" + std::to_string(level) + "\">" + longText + " &amp; " +
                       std::to_string(level);
            for (int level = 0; level < 400; ++level)
                out += "</level>";
        }
        out += "</deep>";
        return out;
    }();
    return text;
}

size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void ParseFd(benchmark::State &state, const std::string &text)
{
    // Heap growth outside the pool's slabs plus the pool's blocks in use.
    const size_t before = HeapInUse(), slabsBefore = TXmlPool::SlabBytes(),
                 pooledBefore = TXmlPool::BytesInUse();
    IXmlDocument measured = NewXmlDocument();
    measured->LoadFromText(text);
    const size_t treeBytes = (HeapInUse() - before) - (TXmlPool::SlabBytes() - slabsBefore) +
                             (TXmlPool::BytesInUse() - pooledBefore);
    measured = nullptr;
    for (auto _ : state) {
        IXmlDocument doc = NewXmlDocument();
        doc->LoadFromText(text);
        benchmark::DoNotOptimize(doc.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.counters["tree_per_input"] = double(treeBytes) / double(text.size());
}

void ParsePugi(benchmark::State &state, const std::string &text)
{
    size_t treeBytes = 0;
    {
        const size_t before = HeapInUse();
        pugi::xml_document measured;
        measured.load_buffer(text.data(), text.size());
        treeBytes = HeapInUse() - before;
    }
    for (auto _ : state) {
        pugi::xml_document doc;
        doc.load_buffer(text.data(), text.size());
        benchmark::DoNotOptimize(doc.first_child());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.counters["tree_per_input"] = double(treeBytes) / double(text.size());
}

void ParseLibXml2(benchmark::State &state, const std::string &text)
{
    const size_t before = HeapInUse();
    xmlDocPtr measured =
        xmlReadMemory(text.data(), int(text.size()), nullptr, "UTF-8", XML_PARSE_HUGE);
    const size_t treeBytes = HeapInUse() - before;
    xmlFreeDoc(measured);
    for (auto _ : state) {
        xmlDocPtr doc =
            xmlReadMemory(text.data(), int(text.size()), nullptr, "UTF-8", XML_PARSE_HUGE);
        benchmark::DoNotOptimize(doc);
        xmlFreeDoc(doc);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.counters["tree_per_input"] = double(treeBytes) / double(text.size());
}

void SaveFd(benchmark::State &state, const std::string &text)
{
    IXmlDocument doc = NewXmlDocument();
    doc->LoadFromText(text);
    size_t size = 0;
    for (auto _ : state) {
        const std::string out = doc->Xml();
        size = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

struct TStringWriter : pugi::xml_writer {
    std::string Out;
    void write(const void *data, size_t size) override
    {
        Out.append(static_cast<const char *>(data), size);
    }
};

void SavePugi(benchmark::State &state, const std::string &text)
{
    pugi::xml_document doc;
    doc.load_buffer(text.data(), text.size());
    size_t size = 0;
    for (auto _ : state) {
        TStringWriter writer;
        doc.save(writer, "\t");
        size = writer.Out.size();
        benchmark::DoNotOptimize(writer.Out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

void SaveLibXml2(benchmark::State &state, const std::string &text)
{
    xmlDocPtr doc = xmlReadMemory(text.data(), int(text.size()), nullptr, "UTF-8", XML_PARSE_HUGE);
    size_t size = 0;
    for (auto _ : state) {
        xmlChar *out = nullptr;
        int length = 0;
        xmlDocDumpMemoryEnc(doc, &out, &length, "UTF-8");
        size = size_t(length);
        benchmark::DoNotOptimize(out);
        xmlFree(out);
    }
    xmlFreeDoc(doc);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

void Register()
{
    struct TInput {
        const char *Name;
        const std::string &(*Text)();
    };
    const TInput inputs[] = {{"Layout", LayoutText}, {"Deep", DeepText}};
    struct TCase {
        const char *Name;
        void (*Run)(benchmark::State &, const std::string &);
    };
    const TCase cases[] = {{"Parse/Fd", ParseFd},           {"Parse/Pugixml", ParsePugi},
                           {"Parse/Libxml2", ParseLibXml2}, {"Save/Fd", SaveFd},
                           {"Save/Pugixml", SavePugi},      {"Save/Libxml2", SaveLibXml2}};
    for (const TInput &input : inputs)
        for (const TCase &c : cases) {
            const std::string name = std::string(c.Name) + "/" + input.Name;
            auto text = input.Text;
            auto run = c.Run;
            benchmark::RegisterBenchmark(name.c_str(), [text, run](benchmark::State &state) {
                run(state, text());
            })->Unit(benchmark::kMillisecond);
        }
}

} // namespace

int main(int argc, char **argv)
{
    // Freed memory stays with the process, so that no library pays for
    // fresh pages on every iteration.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    xmlCleanupParser();
    return 0;
}
