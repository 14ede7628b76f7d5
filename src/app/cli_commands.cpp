#include "app/cli_commands.h"

#include <algorithm>
#include <array>
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
#include "install/interrupted_work.h"
#include "install/planned_entries.h"
#include "install/specification_install.h"
#include "kinds/device_kind.h"
#include "loader/specification_errors.h"
#include "registry/compact_model_listing.h"
#include "registry/listing_order.h"
#include "registry/model_registry.h"
#include "registry/store_failure_text.h"

namespace pantrel {
namespace {

// Prints the loader's messages, and shows them also where the platform shows them besides.
class StreamSink final : public MessageSink {
public:
    StreamSink(std::ostream& err, MessageSink* shownAlso) : err_(err), shownAlso_(shownAlso) {}
    void ShowError(const std::string& text) override {
        err_ << text << '\n' << std::flush;
        if (shownAlso_ != nullptr) {
            shownAlso_->ShowError(text);
        }
    }
    // A message of the tool's own: its name before it on standard error only, not in a box.
    void ShowOwnError(const std::string& text) {
        err_ << "pantrel: " << text << '\n' << std::flush;
        if (shownAlso_ != nullptr) {
            shownAlso_->ShowError(text);
        }
    }

private:
    std::ostream& err_;
    MessageSink* shownAlso_;
};

// Writes the rows of -list or -validate in the order the model list opens with, each line
// straight from where the listing keeps its texts.
template <typename Row, typename Listing>
void PrintModels(std::ostream& out, std::vector<Row>& rows, const Listing& listing) {
    std::ranges::sort(rows, [&listing](const Row& a, const Row& b) {
        return ListsBefore(listing.EntryOf(a), listing.EntryOf(b));
    });
    std::array<std::string, 256> nouns;  // by kind code, each made once
    for (const Row& row : rows) {
        const ListedEntry entry = listing.EntryOf(row);
        std::string& noun = nouns[KindCode(entry.kind)];
        if (noun.empty()) {
            noun = EscapeListingField(
                KindNoun(entry.kind, GrammaticalCase::Nominative, false, LetterCase::FirstUpper));
        }
        out << noun << '\t';
        WriteListingField(out, entry.model);
        out << '\t';
        WriteListingField(out, entry.producer);
        out << '\t';
        WriteListingField(out, entry.path);
        out << '\n';
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
    // One look at the file answers every question below.
    const std::filesystem::path file = PathFromUtf8(path);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (!error && std::filesystem::exists(status)) {
        if (std::filesystem::is_directory(status)) {
            context.err << "pantrel: '" << shown << "' jest folderem, a nie plikiem specyfikacji\n";
        } else if (!std::filesystem::is_regular_file(status)) {
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

// Explains a failed install or uninstall in one line, unless the loader already explained it,
// saying which kinds it had already done before it stopped.
void ReportFailure(const CommandContext& context, const std::string& path, StreamSink& sink,
                   const RegistrationResult& result, StoreOperation operation) {
    std::string text;
    switch (result.outcome) {
        case RegistrationOutcome::Done:
        case RegistrationOutcome::FileNotLoaded:
        case RegistrationOutcome::WorkLeftOver:
            return;
        case RegistrationOutcome::FileMissing:
            text = "plik '" + OnOneLine(path) + "' nie istnieje";
            break;
        case RegistrationOutcome::PathNotListable:
            // In the box of a silent run on Windows too, like the loader's messages.
            sink.ShowOwnError(UnlistablePathText(OnOneLine(path)));
            return;
        case RegistrationOutcome::FileNotValid:
        case RegistrationOutcome::NoDriverKey:
            text = "plik '" + OnOneLine(path) + "' nie jest poprawną specyfikacją sterownika";
            break;
        case RegistrationOutcome::ValuesRefused:
        case RegistrationOutcome::StoreFailed:
            text = StoreFailureText(operation, context.storeName, result.firstFailure);
            break;
    }
    const std::string done = CommittedKindsText(operation, result.committed);
    if (!done.empty()) {
        text += "; " + done;
    }
    context.err << "pantrel: " << text << '\n';
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
    const RegistrationResult result = operation(context.hive, full, sink);
    if (!result.Succeeded()) {
        ReportFailure(context, full, sink, result, storeOperation);
        return EXIT_FAILED;
    }
    return EXIT_DONE;
}

// What a killed install or uninstall left unfinished is finished before the models are read,
// so that they are read as that run meant to leave them.
void FinishBeforeReading(const CommandContext& context) {
    StreamSink sink{context.err, context.shownAlso};
    FinishInterruptedWork(context.hive, sink);
}

}  // namespace

int RunInstall(const CommandContext& context, const std::string& path) {
    return RunOnSpecification(context, path, StoreOperation::WriteModels, InstallSpecification);
}

int RunUninstall(const CommandContext& context, const std::string& path) {
    return RunOnSpecification(context, path, StoreOperation::RemoveModels, UninstallSpecification);
}

int RunList(const CommandContext& context) {
    FinishBeforeReading(context);
    CompactModels read = ReadCompactModelListing(context.hive);
    // A store that cannot be read is not an empty one: a script must not take it for one.
    if (read.failure != ERROR_SUCCESS_STATUS) {
        context.err << "pantrel: "
                    << StoreFailureText(StoreOperation::Read, context.storeName, read.failure)
                    << '\n';
        return EXIT_FAILED;
    }
    PrintModels(context.out, read.listing.rows(), read.listing);
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
    // What an install into a store of its own would register, without the store.
    PlannedEntries planned = PlanInstallEntries(document, full);
    if (!planned.result.Succeeded()) {
        // A check for scripts: its messages go to standard error only, never into a box.
        StreamSink sink{context.err, nullptr};
        ReportFailure(context, full, sink, planned.result, StoreOperation::WriteModels);
        return EXIT_FAILED;
    }
    PrintModels(context.out, planned.rows, planned);
    return EXIT_DONE;
}

int RunExport(const CommandContext& context, const std::string& file) {
    if (file.empty()) {
        context.err << "pantrel: nie podano pliku, do którego zapisać rejestr\n";
        return EXIT_FAILED;
    }
    FinishBeforeReading(context);
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
