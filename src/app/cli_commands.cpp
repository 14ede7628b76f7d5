#include "app/cli_commands.h"

#include <filesystem>
#include <ostream>
#include <system_error>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/listing_text.h"
#include "app/process_file_path.h"
#include "app/registry_export.h"
#include "base/file_errors.h"
#include "base/utf8_path.h"
#include "install/specification_install.h"
#include "kinds/device_kind.h"
#include "loader/specification_errors.h"
#include "registry/failure_recording_store.h"
#include "registry/model_registry.h"
#include "registry/registered_models.h"
#include "registry/sqlite_store.h"
#include "registry/store_failure_text.h"

namespace pantrel {
namespace {

// Prints the loader's messages and remembers that one was shown.
class StreamSink final : public MessageSink {
public:
    StreamSink(std::ostream& err, MessageSink* shownAlso) : err_(err), shownAlso_(shownAlso) {}
    void ShowError(const std::string& text) override {
        err_ << text << '\n' << std::flush;
        if (shownAlso_ != nullptr) {
            shownAlso_->ShowError(text);
        }
        shown_ = true;
    }
    // A message of the tool's own: its name before it on standard error only, not in a box.
    void ShowOwnError(const std::string& text) {
        err_ << "pantrel: " << text << '\n' << std::flush;
        if (shownAlso_ != nullptr) {
            shownAlso_->ShowError(text);
        }
        shown_ = true;
    }
    bool Shown() const { return shown_; }

private:
    std::ostream& err_;
    MessageSink* shownAlso_;
    bool shown_ = false;
};

void PrintModels(std::ostream& out, std::vector<RegisteredModel> models) {
    SortForListing(models);
    for (const RegisteredModel& m : models) {
        out << EscapeListingField(
                   KindNoun(m.kind, GrammaticalCase::Nominative, false, LetterCase::FirstUpper))
            << '\t' << EscapeListingField(m.model) << '\t' << EscapeListingField(m.producer) << '\t'
            << EscapeListingField(m.path) << '\n';
    }
}

const char* SkipReasonText(SkipReason reason) {
    switch (reason) {
        case SkipReason::NameOutsideWindows1250:
            return "nazwa zawiera znak spoza kodowania Windows-1250";
        case SkipReason::NameWithLineBreak:
            return "nazwa zawiera znak końca wiersza";
        case SkipReason::DataOutsideWindows1250:
            return "dane zawierają znak spoza kodowania Windows-1250";
    }
    return "";
}

std::string UnlistablePathMessage(const std::string& path) {
    return "pantrel: " + UnlistablePathText(OnOneLine(path));
}

// The file checks every command with a path starts with; false after printing why.
bool CheckFile(const CommandContext& context, const std::string& path) {
    if (path.empty()) {
        context.err << "pantrel: nie podano pliku specyfikacji sterownika\n";
        return false;
    }
    const std::string shown = OnOneLine(path);
    if (FileExists(path)) {
        std::error_code ignored;
        const std::filesystem::path file = PathFromUtf8(path);
        if (std::filesystem::is_directory(file, ignored)) {
            context.err << "pantrel: '" << shown << "' jest folderem, a nie plikiem specyfikacji\n";
        } else if (!std::filesystem::is_regular_file(file, ignored)) {
            context.err << "pantrel: '" << shown
                        << "' nie jest zwykłym plikiem (to urządzenie, potok lub gniazdo)\n";
        } else if (NamesProcessOwnFile(file)) {
            context.err << "pantrel: '" << shown
                        << "' wskazuje plik otwarty przez sam program (np. standardowe wejście), "
                           "a nie plik na dysku\n";
        } else {
            return true;
        }
        return false;
    }
    const std::error_code error = FileStatusError(path);
    if (IsPathTooLong(error)) {
        context.err << "pantrel: ścieżka pliku '" << shown
                    << "' jest dłuższa, niż pozwala system\n";
    } else if (error == std::errc::permission_denied) {
        context.err << "pantrel: brak dostępu do pliku '" << shown << "'\n";
    } else if (error == std::errc::too_many_symbolic_link_levels) {
        context.err << "pantrel: ścieżka pliku '" << shown
                    << "' prowadzi przez zapętlone dowiązania symboliczne\n";
    } else {
        context.err << "pantrel: plik '" << shown << "' nie istnieje\n";
    }
    return false;
}

// Explains a failed install or uninstall that the loader did not already explain.
void ReportFailure(const CommandContext& context, const std::string& path, const StreamSink& sink,
                   const FailureRecordingStore& store, StoreOperation operation) {
    if (sink.Shown()) {
        return;
    }
    if (store.FirstFailure() != ERROR_SUCCESS_STATUS) {
        context.err << "pantrel: "
                    << StoreFailureText(operation, context.storeName, store.FirstFailure()) << '\n';
        return;
    }
    context.err << "pantrel: plik '" << path << "' nie jest poprawną specyfikacją sterownika\n";
}

// Install and uninstall alike: check the file, run the operation, explain a failure.
template <typename Operation>
int RunOnSpecification(const CommandContext& context, const std::string& path,
                       StoreOperation storeOperation, Operation operation) {
    const std::string full = MakeFullPath(path);
    if (!CheckFile(context, full)) {
        return EXIT_FAILED;
    }
    StreamSink sink{context.err, context.shownAlso};
    FailureRecordingStore store{context.hive};
    if (!operation(store, full, sink)) {
        ReportFailure(context, full, sink, store, storeOperation);
        return EXIT_FAILED;
    }
    return EXIT_DONE;
}

}  // namespace

int RunInstall(const CommandContext& context, const std::string& path) {
    return RunOnSpecification(context, path, StoreOperation::WriteModels,
                              [](RegistryStore& store, const std::string& full, StreamSink& sink) {
                                  if (!IsListableSpecificationPath(full)) {
                                      sink.ShowOwnError(UnlistablePathText(OnOneLine(full)));
                                      return false;
                                  }
                                  return InstallSpecification(store, full, sink);
                              });
}

int RunUninstall(const CommandContext& context, const std::string& path) {
    return RunOnSpecification(context, path, StoreOperation::RemoveModels, UninstallSpecification);
}

int RunList(const CommandContext& context) {
    FailureRecordingStore store{context.hive};
    std::vector<RegisteredModel> models = ReadRegisteredModels(store);
    // A store that cannot be read is not an empty one: a script must not take it for one.
    if (store.FirstFailure() != ERROR_SUCCESS_STATUS) {
        context.err << "pantrel: "
                    << StoreFailureText(StoreOperation::Read, context.storeName,
                                        store.FirstFailure())
                    << '\n';
        return EXIT_FAILED;
    }
    PrintModels(context.out, std::move(models));
    return EXIT_DONE;
}

int RunValidate(const CommandContext& context, const std::string& path) {
    const std::string full = MakeFullPath(path);
    if (!CheckFile(context, full)) {
        return EXIT_FAILED;
    }
    // One reading gives every error, or the models an install would register.
    DocumentHolder document;
    const std::vector<SpecificationError> errors = CollectSpecificationErrors(full, &document);
    if (!errors.empty()) {
        for (const SpecificationError& error : errors) {
            context.err << FormatSpecificationError(error) << '\n';
        }
        return EXIT_FAILED;
    }
    if (!IsListableSpecificationPath(full)) {
        context.err << UnlistablePathMessage(full) << '\n';
        return EXIT_FAILED;
    }
    // What an install would register is what it registers into a store of its own.
    SqliteRegistryStore scratch{":memory:"};
    if (!InstallLoadedSpecification(scratch, document, full)) {
        context.err << "pantrel: plik '" << full << "' nie jest poprawną specyfikacją sterownika\n";
        return EXIT_FAILED;
    }
    document.reset();
    PrintModels(context.out, ReadRegisteredModels(scratch));
    return EXIT_DONE;
}

int RunExport(const CommandContext& context, const std::string& file) {
    if (file.empty()) {
        context.err << "pantrel: nie podano pliku, do którego zapisać rejestr\n";
        return EXIT_FAILED;
    }
    const std::string full = MakeFullPath(file);
    const ExportOutcome outcome = ExportRegistry(context.hive, full);
    switch (outcome.result) {
        case ExportResult::StoreUnreadable:
            context.err << "pantrel: "
                        << StoreFailureText(StoreOperation::Read, context.storeName,
                                            outcome.storeStatus)
                        << '\n';
            return EXIT_FAILED;
        case ExportResult::NotWritten:
            context.err << "pantrel: nie można zapisać pliku '" << OnOneLine(full)
                        << "': " << FileErrorReason(outcome.fileError) << '\n';
            return EXIT_FAILED;
        case ExportResult::Written:
            break;
    }
    for (const SkippedEntry& entry : outcome.skipped) {
        context.err << "pantrel: wpisu '" << OnOneLine(entry.where) << "' nie zapisano do pliku '"
                    << OnOneLine(full) << "': " << SkipReasonText(entry.reason) << '\n';
    }
    return outcome.skipped.empty() ? EXIT_DONE : EXIT_FAILED;
}

void PrintUsage(std::ostream& err, std::string_view reason, std::string_view storeNote) {
    err << "pantrel: " << reason << "\n"
        << "Użycie z wiersza poleceń:\n"
           "  pantrel -install PLIK     rejestruje modele z pliku specyfikacji sterownika\n"
           "  pantrel -uninstall PLIK   usuwa rejestracje modeli z pliku specyfikacji\n"
           "  pantrel -list             wypisuje wszystkie zarejestrowane modele\n"
           "  pantrel -validate PLIK    sprawdza plik ze schematem, niczego nie zapisuje\n"
           "  pantrel -export PLIK      zapisuje rejestracje do pliku rejestru Windows (.reg)\n"
           "Zamiast \"-\" można użyć \"/\". "
        << storeNote << "\n";
}

}  // namespace pantrel
