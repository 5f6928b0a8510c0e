// tgen export / import / diff: a template as readable text, back to the same
// bytes, and the fields in which two templates differ.
#include "model/file_io.h"
#include "model/template_file.h"
#include "model/template_text.h"
#include "shell/command_registry.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

// A text this long is no template text; refused before it is read whole.
constexpr std::streamoff kMaxTextBytes = 16 * 1024 * 1024;

constexpr int kExitDifferent = 1;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitDiffError = 2;

bool read_template_file(const char* command, const std::string& path, kolibra::TemplateDocument& doc) {
    const kolibra::FileResult result = kolibra::read_template(path, doc);
    if (result.ok()) return true;
    if (!result.message.empty()) {
        std::fprintf(stderr, "tgen %s: %s: %s\n", command, path.c_str(), result.message.c_str());
    } else {
        std::fprintf(stderr, "tgen %s: cannot read %s: %s\n", command, path.c_str(), result.reason.c_str());
    }
    return false;
}

bool read_text_file(const std::string& path, std::string& text, std::string& reason) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        reason = "is a folder, not a text";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = "cannot be opened";
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size > kMaxTextBytes) {
        reason = "is too large for a template text";
        return false;
    }
    in.seekg(0, std::ios::beg);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        reason = "could not be read";
        return false;
    }
    return true;
}

int run_export(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: tgen export TEMPLATE.ATX [TEXT]\n");
        return kExitUsage;
    }
    auto doc = std::make_unique<kolibra::TemplateDocument>();
    if (!read_template_file("export", argv[1], *doc)) return kExitFailed;
    const std::string text = kolibra::export_template_text(doc->tpl);
    if (argc == 2) {
        const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
                             std::fflush(stdout) == 0;
        if (!written) {
            std::fprintf(stderr, "tgen export: the text could not be written out\n");
            return kExitFailed;
        }
        return 0;
    }
    const kolibra::IoResult io = kolibra::replace_file(
        argv[2], reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (!io.ok) {
        std::fprintf(stderr, "tgen export: cannot write %s: %s\n", argv[2], io.reason.c_str());
        return kExitFailed;
    }
    return 0;
}

int run_import(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tgen import TEXT TEMPLATE.ATX\n");
        return kExitUsage;
    }
    const std::string text_path = argv[1];
    const std::string template_path = argv[2];
    std::string text;
    std::string reason;
    if (!read_text_file(text_path, text, reason)) {
        std::fprintf(stderr, "tgen import: %s %s\n", text_path.c_str(), reason.c_str());
        return kExitFailed;
    }
    auto tpl = std::make_unique<kolibra::Template>();
    const kolibra::TextImportResult imported = kolibra::import_template_text(text, *tpl);
    if (!imported.ok()) {
        for (const kolibra::TextProblem& problem : imported.problems) {
            std::fprintf(stderr, "tgen import: %s %s\n", text_path.c_str(),
                         kolibra::describe(problem).c_str());
        }
        std::fprintf(stderr, "tgen import: nothing written to %s\n", template_path.c_str());
        return kExitFailed;
    }
    const kolibra::FileResult written = kolibra::write_template(template_path, *tpl);
    if (!written.ok()) {
        std::fprintf(stderr, "tgen import: cannot write %s: %s\n", template_path.c_str(),
                     written.reason.c_str());
        return kExitFailed;
    }
    return 0;
}

int run_diff(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tgen diff A.ATX B.ATX\n");
        return kExitDiffError;
    }
    auto a = std::make_unique<kolibra::TemplateDocument>();
    auto b = std::make_unique<kolibra::TemplateDocument>();
    // Any failure to compare is status 2, so a script never takes it for "different".
    if (!read_template_file("diff", argv[1], *a) || !read_template_file("diff", argv[2], *b)) {
        return kExitDiffError;
    }
    const auto differences = kolibra::diff_templates(a->tpl, b->tpl);
    for (const kolibra::FieldDifference& d : differences) {
        std::printf("%s: %s -> %s\n", d.key.c_str(), d.before.c_str(), d.after.c_str());
    }
    if (std::fflush(stdout) != 0) return kExitDiffError;
    return differences.empty() ? 0 : kExitDifferent;
}

}  // namespace

KOLIBRA_TGEN_COMMAND("export", "export TEMPLATE.ATX [TEXT]",
                     "write a template as readable text (to standard output without TEXT)",
                     run_export);
KOLIBRA_TGEN_COMMAND("import", "import TEXT TEMPLATE.ATX",
                     "write the template a text describes; keys left out take factory values",
                     run_import);
KOLIBRA_TGEN_COMMAND("diff", "diff A.ATX B.ATX",
                     "print the fields in which two templates differ (status 0 same, 1 different, 2 error)",
                     run_diff);
