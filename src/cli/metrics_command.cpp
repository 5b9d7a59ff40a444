// typorama-cli metrics and sysinfo: the two reports of the text-metrics window
// and of the Help menu, on the console.
#include <windows.h>

#include <optional>

#include "charmap/metrics_report.h"
#include "charmap/system_facts.h"
#include "charmap/text_metrics.h"
#include "cli/cli.h"
#include "cli/json_text.h"
#include "cli/private_font.h"
#include "win/gdi.h"
#include "win/wide.h"

namespace typorama::cli {
namespace {

struct MetricsArgs {
    std::wstring file;
    int size = 0;  // 0: the logical font's own height
    bool text = false;
};

std::optional<MetricsArgs> ParseMetricsArgs(const std::vector<std::wstring>& args, Output& err) {
    MetricsArgs run;
    std::vector<std::wstring> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        if (a == L"--size" && i + 1 < args.size()) {
            const std::optional<long> size = ParseNumber(args[++i], 16384);
            if (!size || *size < 1) {
                err.Write("typorama-cli metrics: --size wants a pixel height from 1 to 16384\n");
                return std::nullopt;
            }
            run.size = static_cast<int>(*size);
        } else if (a == L"--text") {
            run.text = true;
        } else if (a.rfind(L"--", 0) == 0) {
            err.Write(L"typorama-cli metrics: unknown option '" + a + L"'\n");
            return std::nullopt;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 1) {
        err.Write("typorama-cli metrics: give one font file (see --help)\n");
        return std::nullopt;
    }
    run.file = positional.front();
    return run;
}

std::string MetricsJson(const charmap::OutlineMetricsValues& values) {
    JsonLine report;
    for (const charmap::MetricsSection& section : charmap::MetricsSections(values)) {
        JsonLine fields;
        for (const charmap::MetricsField& field : section.fields) {
            if (field.kind == charmap::MetricsFieldKind::Pair || field.kind == charmap::MetricsFieldKind::Box)
                fields.Add(field.label, field.values);
            else
                fields.Add(field.label, field.values.front());
        }
        report.Add(section.title, fields);
    }
    return report.Finish();
}

// The window's CR LF line ends become the console's bare LF.
std::string ConsoleText(const std::wstring& text) {
    std::string bytes = win::WideToUtf8(text);
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) out += bytes[i];
    return out;
}

}  // namespace

int RunMetrics(const std::vector<std::wstring>& args, Output& out, Output& err) {
    const std::optional<MetricsArgs> run = ParseMetricsArgs(args, err);
    if (!run) return kExitUsage;
    PrivateFont loaded;
    if (const std::optional<std::wstring> why = loaded.Load(run->file)) {
        err.Write(L"typorama-cli metrics: " + run->file + L": " + *why + L"\n");
        return kExitSomeFailed;
    }
    LOGFONTW font = loaded.Font();
    if (run->size > 0) font.lfHeight = -run->size;
    win::MemoryDC dc(nullptr, nullptr);
    const std::optional<charmap::OutlineMetricsValues> values = charmap::MeasureOutlineMetrics(dc.get(), font);
    if (!values) {
        err.Write(L"typorama-cli metrics: " + run->file + L": the system reports no outline metrics\n");
        return kExitSomeFailed;
    }
    if (run->text)
        out.Write(ConsoleText(win::ToWide(charmap::MetricsReportText(*values))) + "\n");
    else
        out.Write(MetricsJson(*values));
    return kExitOk;
}

int RunSysinfo(const std::vector<std::wstring>& args, Output& out, Output& err) {
    if (!args.empty()) {
        err.Write("typorama-cli sysinfo: takes no arguments\n");
        return kExitUsage;
    }
    wchar_t path[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program = length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
    out.Write(ConsoleText(charmap::SystemReport(charmap::kAllSections, {}, program)));
    return kExitOk;
}

}  // namespace typorama::cli
