// libFuzzer target for the specification loader: every input is written to a file and loaded as
// install and uninstall load it, then collected as -validate collects it. Beyond crashes, hangs
// and sanitizer reports it stops on a broken promise of the loader: the load and the full check
// disagree, a failed load shows other than one message, a message or description is not UTF-8,
// or a description spans more than one line.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "../tests/support/utf8_check.h"
#include "kinds/device_kind.h"
#include "loader/model_queries.h"
#include "loader/specification_errors.h"
#include "loader/specification_loader.h"
#include "loader/specification_namespace.h"

namespace {

using pantrel::testing_support::IsWellFormedUtf8;

class KeptMessages : public pantrel::MessageSink {
public:
    void ShowError(const std::string& text) override {
        ++count;
        last = text;
    }

    int count = 0;
    std::string last;
};

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// One file for the whole run, in memory where the system has a RAM disk.
const std::string& InputPath() {
    static const std::string path = [] {
        const std::filesystem::path folder = std::filesystem::exists("/dev/shm")
                                                 ? std::filesystem::path("/dev/shm")
                                                 : std::filesystem::temp_directory_path();
        return (folder / ("pantrel-fuzz-" + std::to_string(::getpid()) + ".xml")).string();
    }();
    return path;
}

void ReadModels(const pantrel::DocumentHolder& document) {
    for (const pantrel::DeviceKind kind :
         {pantrel::DeviceKind::CashRegister, pantrel::DeviceKind::LabelScale,
          pantrel::DeviceKind::FiscalPrinter}) {
        pantrel::ModelList models;
        Require(pantrel::SelectModels(document, models, kind));
        for (const auto& model : models) {
            std::string name;
            std::string producer;
            Require(pantrel::ReadModelName(model, name) && IsWellFormedUtf8(name));
            Require(pantrel::ReadDriverProducer(model, producer) && IsWellFormedUtf8(producer));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = InputPath();
    if (std::FILE* const file = std::fopen(path.c_str(), "wb")) {
        const bool written = std::fwrite(data, 1, size, file) == size;
        std::fclose(file);
        if (!written) {
            return 0;
        }
    } else {
        return 0;
    }

    KeptMessages messages;
    pantrel::DocumentHolder document;
    const pantrel::HResult status = pantrel::LoadSpecification(
        document, path, pantrel::SCHEMA_RESOURCE_ID, pantrel::SPECIFICATION_NAMESPACE, messages);
    Require(messages.count <= 1);
    Require(IsWellFormedUtf8(messages.last));
    if (status == pantrel::S_OK_STATUS) {
        Require(messages.count == 0 && document != nullptr);
        ReadModels(document);
    } else {
        Require(document == nullptr);
    }

    const auto errors = pantrel::CollectSpecificationErrors(path);
    Require(errors.empty() == (status == pantrel::S_OK_STATUS));
    for (const auto& error : errors) {
        Require(IsWellFormedUtf8(error.description));
        Require(error.description.find_first_of("\r\n") == std::string::npos);
    }
    return 0;
}
