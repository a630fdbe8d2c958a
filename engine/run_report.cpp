#include "engine/run_report.h"

#include <cstdint>

namespace vantrel {

int RunExitCodeFor(const RunEnd& end, const RunRows& rows, bool report_written) {
    bool any_folder = false;
    bool folder_failed = false;  // a folder, or part of it, could not be read
    for (const FolderItem& folder : rows.folders) {
        any_folder = any_folder || folder.status != ItemStatus::NotExists;
        folder_failed = folder_failed || folder.status == ItemStatus::Failed;
    }
    if (!any_folder) {
        return ExitNoFolder;
    }
    if (end.stopped || end.declined) {
        return ExitStopped;
    }
    if (end.broken || folder_failed) {
        return ExitFailed;
    }
    bool read_only = false;
    for (const FileItem& file : rows.files) {
        if (file.status == ItemStatus::Failed) {
            return ExitFailed;
        }
        read_only = read_only || file.status == ItemStatus::ReadOnly;
    }
    if (read_only) {
        return ExitReadOnlyKept;
    }
    return report_written ? ExitDone : ExitReportNotWritten;
}

namespace {

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

constexpr uint32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::string Utf8FromWide(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t code = static_cast<uint32_t>(text[i]);
        if (IsHighSurrogate(code) && i + 1 < text.size() &&
            IsLowSurrogate(static_cast<uint32_t>(text[i + 1]))) {
            code =
                0x10000 + ((code - 0xD800) << 10) + (static_cast<uint32_t>(text[i + 1]) - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(code) || IsLowSurrogate(code) || code > 0x10FFFF) {
            code = kReplacement;
        }
        AppendUtf8(out, code);
    }
    return out;
}

std::string CsvField(const std::string& field) {
    const bool quoted = field.find_first_of(",\"\r\n") != std::string::npos ||
                        (!field.empty() && (field.front() == ' ' || field.back() == ' '));
    if (!quoted) {
        return field;
    }
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

std::string ReportCsv(const std::vector<FileItem>& rows) {
    std::string csv = "Status,Kind,Size,Path,Reason\r\n";
    for (const FileItem& row : rows) {
        csv += CsvField(Utf8FromWide(FileStatusText(row.status)));
        csv += row.IsFolder() ? ",folder," : ",file,";
        // A matched folder carries the total of the files inside it; an empty one none.
        if (row.size >= 0) {
            csv += std::to_string(row.size);
        }
        csv += ',';
        csv += CsvField(Utf8FromWide(row.path));
        csv += ',';
        csv += CsvField(Utf8FromWide(row.reason));
        csv += "\r\n";
    }
    return csv;
}

}  // namespace vantrel
