// tgen new / tgen image: make a factory template, or build the program image
// of a template, without a window.
#include "model/file_io.h"
#include "model/program_image.h"
#include "model/template_file.h"
#include "shell/command_registry.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

void report_write_failure(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "tgen: cannot write %s: %s\n", path.c_str(), reason.c_str());
}

void report_read_failure(const std::string& path, const kolibra::FileResult& result) {
    if (!result.message.empty()) {
        std::fprintf(stderr, "%s\n", result.message.c_str());
    } else {
        std::fprintf(stderr, "tgen: cannot read %s: %s\n", path.c_str(), result.reason.c_str());
    }
}

int run_new(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tgen new TEMPLATE.ATX\n");
        return 2;
    }
    const std::string path = argv[1];
    auto doc = std::make_unique<kolibra::TemplateDocument>();
    kolibra::reset_template(doc->tpl);
    const kolibra::FileResult result = kolibra::write_template(path, doc->tpl);
    if (!result.ok()) {
        report_write_failure(path, result.reason);
        return 1;
    }
    return 0;
}

int run_image(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tgen image TEMPLATE.ATX IMAGE.BIN\n");
        return 2;
    }
    const std::string template_path = argv[1];
    const std::string image_path = argv[2];
    auto doc = std::make_unique<kolibra::TemplateDocument>();
    const kolibra::FileResult read = kolibra::read_template(template_path, *doc);
    if (!read.ok()) {
        report_read_failure(template_path, read);
        return 1;
    }
    const kolibra::ProgramImage image = kolibra::build_program_image(doc->tpl);
    const kolibra::IoResult written = kolibra::replace_file(image_path, image.data(), image.size());
    if (!written.ok) {
        report_write_failure(image_path, written.reason);
        return 1;
    }
    return 0;
}

}  // namespace

KOLIBRA_TGEN_COMMAND("new", "new TEMPLATE.ATX", "write a new template with the factory values",
                     run_new);
KOLIBRA_TGEN_COMMAND("image", "image TEMPLATE.ATX IMAGE.BIN",
                     "write the 10500-byte terminal program image of a template", run_image);
