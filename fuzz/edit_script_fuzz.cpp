// `tgen edit` on an arbitrary event script, run as the command runs: the
// template is read from a file, the events from another, the result goes to
// --out. The first input byte gives how many of the following bytes build
// the template (0: a new template); the rest is the script. Rules: the exit
// status is 0, 1 or 2; on 1 or 2 no file is written; the template read is
// never changed; a file written reads back.
#include "fuzz_support.h"
#include "model/template_file.h"
#include "shell/command_registry.h"
#include "template_bytes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using namespace kolibra;

std::string g_folder;

const TgenCommand* edit_command() {
    for (const TgenCommand& c : tgen_commands())
        if (std::strcmp(c.name, "edit") == 0) return &c;
    return nullptr;
}

bool same_file(const std::string& path, const TemplateFileBytes& bytes) {
    std::ifstream in(path, std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return all.size() == bytes.size() && std::memcmp(all.data(), bytes.data(), bytes.size()) == 0;
}

void remove_folder() {
    for (const char* name : {"/in.atx", "/events.txt", "/out.atx"}) std::remove((g_folder + name).c_str());
    rmdir(g_folder.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/fuzz_edit_XXXXXX";
    if (!mkdtemp(folder)) std::abort();
    g_folder = folder;
    std::atexit(remove_folder);
    // The script's `show` lines and refusals would flood the fuzzer's log.
    std::cout.rdbuf(nullptr);
    std::cerr.rdbuf(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t template_bytes = std::min<std::size_t>(data[0], size - 1);
    auto tpl = std::make_unique<Template>();
    if (template_bytes == 0) reset_template(*tpl);
    else if (!fuzz::template_from_bytes(data + 1, template_bytes, *tpl)) return 0;

    const std::string in = g_folder + "/in.atx";
    const std::string events = g_folder + "/events.txt";
    const std::string out = g_folder + "/out.atx";
    auto in_bytes = std::make_unique<TemplateFileBytes>();
    encode_template_file(*tpl, *in_bytes);
    {
        // Written plainly: the safe save's flush to disk would slow every run.
        std::ofstream file(in, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(in_bytes->data()), in_bytes->size());
    }
    {
        std::ofstream script(events, std::ios::binary | std::ios::trunc);
        script.write(reinterpret_cast<const char*>(data + 1 + template_bytes),
                     static_cast<std::streamsize>(size - 1 - template_bytes));
    }
    std::remove(out.c_str());

    const TgenCommand* edit = edit_command();
    FUZZ_CHECK(edit != nullptr);
    std::string args[] = {"edit", in, "--events", events, "--out", out};
    char* argv[] = {args[0].data(), args[1].data(), args[2].data(),
                    args[3].data(), args[4].data(), args[5].data(), nullptr};
    const int status = edit->run(6, argv);

    FUZZ_CHECK(status == 0 || status == 1 || status == 2);
    FUZZ_CHECK(same_file(in, *in_bytes));
    const bool written = access(out.c_str(), F_OK) == 0;
    if (status != 0) FUZZ_CHECK(!written);
    if (written) {
        auto doc = std::make_unique<TemplateDocument>();
        FUZZ_CHECK(read_template(out, *doc).ok());
    }
    return 0;
}
