// Runs the built pantrel on temporary stores, as an installer script would.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../support/documented_query.h"
#include "../support/run_process.h"
#include "../support/temp_folder.h"

namespace pantrel {
namespace {

using testing_support::DocumentedModelEntries;
using testing_support::ModelEntry;
using testing_support::ProcessResult;
using testing_support::ReadWholeFile;
using testing_support::RunProcess;
using testing_support::TempFolder;

namespace fs = std::filesystem;

const std::string kCashModels =
    "Software\\Tarvex\\Sterowniki2\\Kasy fiskalne\\{FED75241-388C-11d9-AAE0-000C2963BED9}"
    "\\ModeleUni";
const std::string kPrinterModels =
    "Software\\Tarvex\\Sterowniki2\\Drukarki fiskalne\\{FFB4E470-388C-11d9-AAE0-000C2963BED9}"
    "\\ModeleUni";
const std::string kScaleModels =
    "Software\\Tarvex\\Sterowniki2\\Wagi etykietujące\\{DCC51001-388C-11d9-AAE0-000C2963BED9}"
    "\\ModeleUni";

class CommandLineTest : public testing::Test {
protected:
    CommandLineTest() { fs::copy(fs::path{PANTREL_TEST_DATA_DIR} / "install", folder_ / "spec"); }

    ProcessResult Run(const std::vector<std::string>& args,
                      std::map<std::string, std::string> env = {},
                      const fs::path& input = "/dev/null") {
        env.emplace("PANTREL_REGISTRY", Store().string());
        env.emplace("DISPLAY", "");
        env.emplace("WAYLAND_DISPLAY", "");
        env.emplace("QT_QPA_PLATFORM", "xcb");
        return RunProcess(PANTREL_EXECUTABLE, args, folder_.Path(), env, input);
    }
    std::string Spec(const std::string& name) const { return (folder_ / "spec" / name).string(); }
    fs::path Store() const { return folder_ / "registry.db"; }
    std::vector<ModelEntry> Entries(const std::string& modelKey) const {
        return DocumentedModelEntries(Store(), modelKey);
    }
    std::string Version(const std::string& modelKey) const {
        return testing_support::StoredValue(Store(), modelKey.substr(0, modelKey.rfind('\\')),
                                            "Wersja");
    }

    TempFolder folder_;
};

TEST_F(CommandLineTest, SwitchSpellingsAllInstall) {
    const std::string spec = Spec("cash_only.xml");
    const std::vector<std::vector<std::string>> spellings = {
        {"-install", spec},
        {"/INSTALL", spec},
        {"-Install" + spec},  // pantrel -Install"file": the shell joins them
        {"-install" + spec},  // pantrel "-installfile"
        {"-install", "\"" + spec + "\""},
        {"-install", "spec/cash_only.xml"},  // relative to the current folder
    };
    int installs = 0;
    for (const std::vector<std::string>& args : spellings) {
        const ProcessResult result = Run(args);
        EXPECT_EQ(result.exitCode, 0) << args[0] << "\n" << result.err;
        EXPECT_EQ(result.err, "") << args[0];
        ++installs;
        EXPECT_EQ(Version(kCashModels), "0." + std::to_string(installs) + ".0") << args[0];
    }
    const std::vector<ModelEntry> expected = {{"K-1|Kasomat", spec}, {"K-2|Kasomat", spec}};
    EXPECT_EQ(Entries(kCashModels), expected);  // the relative path was stored absolute
}

TEST_F(CommandLineTest, PathWithBlanksInQuotes) {
    fs::create_directory(folder_ / "a b");
    fs::copy_file(Spec("cash_only.xml"), folder_ / "a b" / "c.xml");
    const std::string spec = (folder_ / "a b" / "c.xml").string();
    const ProcessResult result = Run({"-install", "\"" + spec + "\""});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    ASSERT_EQ(Entries(kCashModels).size(), 2u);
    EXPECT_EQ(Entries(kCashModels)[0].data, spec);
}

TEST_F(CommandLineTest, MissingOrNoFileFailsWithOneLineAndCreatesNothing) {
    for (const std::string verb : {"-install", "-uninstall", "-validate"}) {
        ProcessResult result = Run({verb, Spec("missing.xml")});
        EXPECT_EQ(result.exitCode, 1) << verb;
        EXPECT_NE(result.err.find("missing.xml"), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        result = Run({verb});
        EXPECT_EQ(result.exitCode, 1) << verb;
        EXPECT_NE(result.err.find("nie podano"), std::string::npos) << result.err;
    }
    EXPECT_FALSE(fs::exists(Store()));
}

TEST_F(CommandLineTest, OnlyTheDeclaredKindIsTouched) {
    ASSERT_EQ(Run({"-install", Spec("cash_only.xml")}).exitCode, 0);
    EXPECT_EQ(Version(kCashModels), "0.1.0");
    EXPECT_TRUE(Entries(kPrinterModels).empty());
    EXPECT_TRUE(Entries(kScaleModels).empty());
    EXPECT_EQ(Version(kPrinterModels), "");
    EXPECT_EQ(Version(kScaleModels), "");
}

TEST_F(CommandLineTest, InstallingTwiceRaisesTheVersionTwiceWithTheSameEntries) {
    const std::string spec = Spec("all_kinds.xml");
    ASSERT_EQ(Run({"-install", spec}).exitCode, 0);
    const std::vector<ModelEntry> first = Entries(kCashModels);
    ASSERT_EQ(Run({"-install", spec}).exitCode, 0);
    EXPECT_EQ(Entries(kCashModels), first);
    EXPECT_EQ(Version(kCashModels), "0.2.0");
    EXPECT_EQ(Version(kPrinterModels), "0.2.0");
    EXPECT_EQ(Version(kScaleModels), "0.2.0");
    // Two drivers of one kind share its key; a duplicate model is one entry; the entry carries
    // the driver's producer, never the model's own.
    const std::vector<ModelEntry> expected = {
        {"K-1|Kasomat", spec}, {"K-9|Kasomat", spec}, {"Z-5|Żuraw", spec}};
    EXPECT_EQ(first, expected);
    EXPECT_EQ(Entries(kScaleModels), (std::vector<ModelEntry>{{"Waga Ś-1|Wagex Łódź", spec}}));
}

TEST_F(CommandLineTest, UninstallOfNeverInstalledModelsCreatesNothing) {
    const ProcessResult result = Run({"-uninstall", Spec("all_kinds.xml")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(fs::exists(Store()));
}

TEST_F(CommandLineTest, UninstallRemovesOnlyTheListedModels) {
    ASSERT_EQ(Run({"-install", Spec("all_kinds.xml")}).exitCode, 0);
    ASSERT_EQ(Run({"-uninstall", Spec("cash_only.xml")}).exitCode, 0);
    // K-1 is gone although another file registered it; the other models and the key stay.
    const std::string spec = Spec("all_kinds.xml");
    EXPECT_EQ(Entries(kCashModels),
              (std::vector<ModelEntry>{{"K-9|Kasomat", spec}, {"Z-5|Żuraw", spec}}));
    EXPECT_EQ(Version(kCashModels), "0.1.0");
}

TEST_F(CommandLineTest, UninstallOfTheLastModelsRemovesTheModelKeyButKeepsTheVersion) {
    ASSERT_EQ(Run({"-install", Spec("cash_only.xml")}).exitCode, 0);
    ASSERT_EQ(Run({"-uninstall", Spec("cash_only.xml")}).exitCode, 0);
    EXPECT_FALSE(testing_support::KeyExists(Store(), kCashModels));
    EXPECT_EQ(Version(kCashModels), "0.1.0");
}

// Only the Polish message reaches standard error, also when the file's bytes do not fit its
// declared encoding.
TEST_F(CommandLineTest, FileThatDoesNotLoadPrintsTheLoadersMessageAndWritesNothing) {
    for (const std::string name :
         {"model_without_name.xml", "not_well_formed.xml", "bad_bytes_euc_jp.xml"}) {
        const ProcessResult result = Run({"-install", Spec(name)});
        EXPECT_EQ(result.exitCode, 1) << name;
        EXPECT_EQ(result.err.rfind("Błąd w pliku '" + Spec(name) + "' linia ", 0), 0) << result.err;
    }
    EXPECT_FALSE(fs::exists(Store()));
}

TEST_F(CommandLineTest, UnwritableStoreFailsAndWritesNothing) {
    ASSERT_EQ(Run({"-install", Spec("cash_only.xml")}).exitCode, 0);
    const std::vector<ModelEntry> before = Entries(kCashModels);
    fs::permissions(Store(),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    for (const std::string verb : {"-install", "-uninstall"}) {
        const ProcessResult result = Run({verb, Spec("all_kinds.xml")});
        EXPECT_EQ(result.exitCode, 1) << verb;
        EXPECT_NE(result.err.find(Store().string()), std::string::npos) << result.err;
    }
    EXPECT_EQ(Entries(kCashModels), before);
    EXPECT_EQ(Version(kCashModels), "0.1.0");
    EXPECT_TRUE(Entries(kScaleModels).empty());
}

// A store whose keys can be made but whose values cannot be written takes no install as done.
TEST_F(CommandLineTest, StoreWithoutItsValueTableFailsTheInstallAloud) {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(Store().c_str(), &raw), SQLITE_OK);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(raw, sqlite3_close);
    ASSERT_EQ(sqlite3_exec(db.get(),
                           "pragma application_id=1347569491; pragma user_version=1; create table "
                           "store_key(id integer primary key,parent,name,path,folded);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    const ProcessResult result = Run({"-install", Spec("all_kinds.xml")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "pantrel: nie można zapisać modeli w rejestrze '" + Store().string() +
                              "': plik rejestru jest uszkodzony\n");
}

TEST_F(CommandLineTest, StoreThatCannotBeCreatedFails) {
    std::ofstream(folder_ / "file") << "x";
    const ProcessResult result = Run({"-install", Spec("cash_only.xml")},
                                     {{"PANTREL_REGISTRY", (folder_ / "file" / "r.db").string()}});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("r.db"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("jest plikiem, a nie folderem"), std::string::npos) << result.err;
}

// A store that is no regular file, or a file with content that is no store, is refused by every
// command with a sentence that says so; nothing is written into it or in its place.
TEST_F(CommandLineTest, StoreThatIsNoStoreFileIsRefusedByEveryCommand) {
    fs::create_symlink("/dev/null", folder_ / "null.db");
    std::ofstream(folder_ / "one.db") << "x";
    struct Case {
        std::string store;
        std::string reason;
    };
    for (const Case& c : {Case{"null.db", "to nie jest zwykły plik"},
                          Case{"one.db", "plik rejestru jest uszkodzony"}}) {
        const std::string store = (folder_ / c.store).string();
        for (const std::vector<std::string>& args : {std::vector<std::string>{"-list"},
                                                     {"-export", "out.reg"},
                                                     {"-install", Spec("cash_only.xml")},
                                                     {"-uninstall", Spec("cash_only.xml")}}) {
            const ProcessResult result = Run(args, {{"PANTREL_REGISTRY", store}});
            EXPECT_EQ(result.exitCode, 1) << c.store << " " << args[0];
            EXPECT_NE(result.err.find("'" + store + "': " + c.reason), std::string::npos)
                << result.err;
        }
    }
    EXPECT_TRUE(fs::is_symlink(folder_ / "null.db"));
    EXPECT_EQ(ReadWholeFile(folder_ / "one.db"), "x");
    EXPECT_FALSE(fs::exists(folder_ / "out.reg"));
}

// Each path that names no specification file the models could be registered from is named for
// what it is, in one line, and nothing is registered.
TEST_F(CommandLineTest, PathsThatAreNoSpecificationFileSayWhatTheyAre) {
    fs::create_symlink("loop.xml", folder_ / "loop.xml");
    ASSERT_EQ(mkfifo((folder_ / "pipe.xml").c_str(), 0600), 0);
    struct Case {
        std::string path;
        std::string says;
        fs::path input = "/dev/null";
    };
    const std::vector<Case> cases = {
        {"loop.xml", "zapętlone dowiązania symboliczne"},
        {"spec", "jest folderem, a nie plikiem specyfikacji"},
        {"pipe.xml", "nie jest zwykłym plikiem"},
        // The path of the tool's own input names another file, or none, for the driver.
        {"/dev/stdin", "wskazuje plik otwarty przez sam program", Spec("cash_only.xml")},
    };
    for (const Case& c : cases) {
        for (const std::string verb : {"-install", "-uninstall", "-validate"}) {
            const ProcessResult result = Run({verb, c.path}, {}, c.input);
            EXPECT_EQ(result.exitCode, 1) << verb << " " << c.path;
            EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
            EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        }
    }
    EXPECT_FALSE(fs::exists(Store()));
}

// A ".." after a symbolic link leaves the folder the link leads to, as the shell's does.
TEST_F(CommandLineTest, DotDotAfterALinkGoesWhereTheSystemGoes) {
    fs::create_directories(folder_ / "t" / "other" / "deep");
    fs::create_directory_symlink(folder_ / "t" / "other" / "deep", folder_ / "sub");
    fs::copy_file(Spec("cash_only.xml"), folder_ / "t" / "other" / "x.xml");
    fs::copy_file(Spec("all_kinds.xml"), folder_ / "x.xml");
    std::ofstream(folder_ / "out.reg") << "keep";

    ASSERT_EQ(Run({"-install", "sub/../x.xml"}).exitCode, 0);
    const std::string other = fs::canonical(folder_ / "t" / "other").string();
    EXPECT_EQ(Entries(kCashModels), (std::vector<ModelEntry>{{"K-1|Kasomat", other + "/x.xml"},
                                                             {"K-2|Kasomat", other + "/x.xml"}}));
    ASSERT_EQ(Run({"-export", "sub/../out.reg"}).exitCode, 0);
    EXPECT_EQ(ReadWholeFile(folder_ / "t" / "other" / "out.reg").rfind("REGEDIT4\r\n", 0), 0u);
    EXPECT_EQ(ReadWholeFile(folder_ / "out.reg"), "keep");
}

TEST_F(CommandLineTest, ListPrintsEveryModelInTheWindowsOrder) {
    EXPECT_EQ(Run({"-list"}).out, "");
    ASSERT_EQ(Run({"-install", Spec("all_kinds.xml")}).exitCode, 0);
    const ProcessResult result = Run({"-list"});
    EXPECT_EQ(result.exitCode, 0);
    const std::string spec = Spec("all_kinds.xml");
    EXPECT_EQ(result.out, "Drukarka fiskalna\tDuo\tFiskator\t" + spec + "\n" +
                              "Kasa fiskalna\tK-1\tKasomat\t" + spec + "\n" +
                              "Kasa fiskalna\tK-9\tKasomat\t" + spec + "\n" +
                              "Waga etykietująca\tWaga Ś-1\tWagex Łódź\t" + spec + "\n" +
                              "Kasa fiskalna\tZ-5\tŻuraw\t" + spec + "\n");
}

TEST_F(CommandLineTest, ValidateWritesNothing) {
    ProcessResult result = Run({"-validate", Spec("cash_only.xml")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string spec = Spec("cash_only.xml");
    EXPECT_EQ(result.out, "Kasa fiskalna\tK-1\tKasomat\t" + spec + "\n" +
                              "Kasa fiskalna\tK-2\tKasomat\t" + spec + "\n");
    result = Run({"-validate", Spec("model_without_name.xml")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.rfind(Spec("model_without_name.xml") + ":10:", 0), 0) << result.err;
    EXPECT_FALSE(fs::exists(Store()));
}

// -validate computes without a store what -list shows after an install into an empty one: the
// same rows in the same order, duplicates folded as the registry folds them, first spelling kept.
TEST_F(CommandLineTest, ValidateListsWhatAnInstallRegisters) {
    const fs::path data{PANTREL_TEST_DATA_DIR};
    std::vector<std::string> specs = {Spec("folded_duplicates.xml"), Spec("all_kinds.xml"),
                                      Spec("cash_only.xml")};
    for (const auto& entry : fs::directory_iterator(data / "loader")) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("valid_") || name.starts_with("query_") ||
            name.starts_with("encoding_")) {
            specs.push_back(entry.path().string());
        }
    }
    for (const char* name : {"showroom.xml", "sort_models.xml", "three_kinds.xml"}) {
        specs.push_back((data / "ui" / name).string());
    }
    for (const std::string& spec : specs) {
        fs::remove(Store());
        const ProcessResult validated = Run({"-validate", spec});
        EXPECT_EQ(validated.exitCode, 0) << spec << ": " << validated.err;
        EXPECT_NE(validated.out, "") << spec;
        ASSERT_EQ(Run({"-install", spec}).exitCode, 0) << spec;
        const ProcessResult listed = Run({"-list"});
        EXPECT_EQ(listed.exitCode, 0) << spec << ": " << listed.err;
        EXPECT_EQ(validated.out, listed.out) << spec;
    }
    const std::string out = Run({"-validate", Spec("folded_duplicates.xml")}).out;
    EXPECT_EQ(std::ranges::count(out, '\n'), 11) << out;
    EXPECT_NE(out.find("Kasa fiskalna\tOrzeł 200\tZakład Łączności\t"), std::string::npos);
    EXPECT_EQ(out.find("ORZEŁ"), std::string::npos) << out;
}

TEST_F(CommandLineTest, ExportCarriesTheRegistrationsToWindows) {
    ASSERT_EQ(Run({"-install", Spec("all_kinds.xml")}).exitCode, 0);
    const ProcessResult result = Run({"-export", "out.reg"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string text = ReadWholeFile(folder_ / "out.reg");
    ASSERT_EQ(text.rfind("REGEDIT4\r\n", 0), 0u);
    // Parse it back: keys, values, escapes and the Windows-1250 bytes.
    std::map<std::string, std::map<std::string, std::string>> keys;
    std::string current;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "every line ends in CRLF";
        const std::string line = text.substr(start, end - start);
        start = end + 2;
        if (line.empty() || line == "REGEDIT4" || line.front() == ';') {
            continue;  // the opening comment says where the keys land
        }
        if (line.front() == '[') {
            ASSERT_EQ(line.back(), ']');
            current = line.substr(1, line.size() - 2);
            keys[current];
            continue;
        }
        ASSERT_EQ(line.front(), '"') << line;
        std::size_t i = 1;
        auto readQuoted = [&line, &i]() {
            std::string value;
            for (; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\') {
                    ++i;
                }
                value.push_back(line[i]);
            }
            ++i;
            return value;
        };
        const std::string name = readQuoted();
        ASSERT_EQ(line.substr(i, 2), "=\"") << line;
        i += 2;
        keys[current][name] = readQuoted();
    }
    // Named as 64-bit Windows names the 32-bit view, where the usual import must land.
    const std::string root = "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Tarvex\\Sterowniki2";
    EXPECT_TRUE(keys.contains(root));
    EXPECT_EQ(keys[root + "\\Kasy fiskalne\\{FED75241-388C-11d9-AAE0-000C2963BED9}\\ModeleUni"]
                  ["K-9|Kasomat"],
              Spec("all_kinds.xml"));
    const std::string scaleKey = root +
                                 "\\Wagi "
                                 "etykietuj\xB9"
                                 "ce\\{DCC51001-388C-11d9-AAE0-000C2963BED9}";
    EXPECT_EQ(keys[scaleKey]["Wersja"], "0.1.0");
    EXPECT_EQ(keys[scaleKey + "\\ModeleUni"]["Waga \x8C-1|Wagex \xA3\xF3"
                                             "d\x9F"],
              Spec("all_kinds.xml"));
    EXPECT_EQ(keys.size(), 10u);  // root, 3 kind keys, 3 driver keys, 3 model keys
}

// A model name may hold a line break written as a character reference; in the registry file it
// would end the value's line and let the rest of the name stand as a key of its own. That one
// entry is left out and named on one line; the rest is written, and the run fails.
TEST_F(CommandLineTest, ExportLeavesOutANameThatWouldBreakItsLine) {
    std::string text = ReadWholeFile(Spec("cash_only.xml"));
    const std::string injected = "K-1&#13;&#10;[HKEY_LOCAL_MACHINE\\Obcy]&#13;&#10;\"a";
    text.replace(text.find("K-1"), 3, injected);
    std::ofstream(Spec("line_break.xml"), std::ios::binary) << text;
    ASSERT_EQ(Run({"-install", Spec("line_break.xml")}).exitCode, 0);
    const ProcessResult result = Run({"-export", "out.reg"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err,
              "pantrel: wpisu '" + kCashModels +
                  "\\K-1\\r\\n[HKEY_LOCAL_MACHINE\\Obcy]\\r\\n\"a|Kasomat' nie zapisano "
                  "do pliku '" +
                  (folder_ / "out.reg").string() + "': nazwa zawiera znak końca wiersza\n");
    const std::string written = ReadWholeFile(folder_ / "out.reg");
    EXPECT_NE(written.find("\r\n\"K-2|Kasomat\"=\"" + Spec("line_break.xml") + "\"\r\n"),
              std::string::npos)
        << written;
    EXPECT_EQ(written.find("Obcy"), std::string::npos) << written;
}

// A store file that is no store must not list or export as an empty registry.
TEST_F(CommandLineTest, CorruptStoreIsNeitherListedNorExportedAsEmpty) {
    std::ofstream(Store(), std::ios::binary) << std::string(8192, 'x');
    ProcessResult result = Run({"-list"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(Store().string()), std::string::npos) << result.err;
    result = Run({"-export", "out.reg"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "pantrel: nie można odczytać rejestru '" + Store().string() +
                              "': plik rejestru jest uszkodzony\n");
    EXPECT_FALSE(fs::exists(folder_ / "out.reg"));
}

// The export's temporary file has a fresh name of its own: neither a file nor a link that stands
// under the name "<target>.tmp" is removed or written through.
TEST_F(CommandLineTest, ExportNeverTouchesAFileAtATemporaryLookingName) {
    ASSERT_EQ(Run({"-install", Spec("cash_only.xml")}).exitCode, 0);
    std::ofstream(folder_ / "victim") << "keep";
    fs::create_symlink(folder_ / "victim", folder_ / "out.reg.tmp");
    std::ofstream(folder_ / "x.reg.tmp") << "mine";
    for (const std::string target : {"out.reg", "x.reg"}) {
        const ProcessResult result = Run({"-export", target});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(ReadWholeFile(folder_ / target).rfind("REGEDIT4\r\n", 0), 0u);
    }
    EXPECT_EQ(ReadWholeFile(folder_ / "victim"), "keep");
    EXPECT_TRUE(fs::is_symlink(folder_ / "out.reg.tmp"));
    EXPECT_EQ(ReadWholeFile(folder_ / "x.reg.tmp"), "mine");
}

// The export writes only onto a regular file or a new name: a pipe, a device or a read-only
// file is left as it is, a link is written through to the file it names, and a replaced file
// keeps its owner and mode.
TEST_F(CommandLineTest, ExportReplacesOnlyARegularWritableFileAndKeepsItsOwnerAndMode) {
    ASSERT_EQ(Run({"-install", Spec("cash_only.xml")}).exitCode, 0);
    ASSERT_EQ(mkfifo((folder_ / "pipe.reg").c_str(), 0600), 0);
    std::ofstream(folder_ / "ro.reg") << "keep";
    fs::permissions(folder_ / "ro.reg",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    for (const std::string target : {"pipe.reg", "ro.reg"}) {
        const ProcessResult result = Run({"-export", target});
        EXPECT_EQ(result.exitCode, 1) << target;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_NE(Run({"-export", "pipe.reg"}).err.find("to nie jest zwykły plik"), std::string::npos);
    EXPECT_NE(Run({"-export", "ro.reg"}).err.find("tylko do odczytu"), std::string::npos);
    EXPECT_TRUE(fs::is_fifo(folder_ / "pipe.reg"));
    EXPECT_EQ(ReadWholeFile(folder_ / "ro.reg"), "keep");

    fs::create_directory(folder_ / "real");
    std::ofstream(folder_ / "real" / "mine.reg") << "old";
    fs::permissions(folder_ / "real" / "mine.reg", fs::perms::owner_read | fs::perms::owner_write);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown((folder_ / "real" / "mine.reg").c_str(), 4321, 4322), 0);
    }
    fs::create_symlink("real/mine.reg", folder_ / "link.reg");
    ASSERT_EQ(Run({"-export", "link.reg"}).exitCode, 0);
    EXPECT_TRUE(fs::is_symlink(folder_ / "link.reg"));
    EXPECT_EQ(ReadWholeFile(folder_ / "real" / "mine.reg").rfind("REGEDIT4\r\n", 0), 0u);
    struct stat written {};
    ASSERT_EQ(stat((folder_ / "real" / "mine.reg").c_str(), &written), 0);
    EXPECT_EQ(written.st_mode & 07777, 0600u);
    if (root) {
        EXPECT_EQ(written.st_uid, 4321u);
        EXPECT_EQ(written.st_gid, 4322u);
    }
}

// A temporary file that a killed export left beside its target goes at the next export to that
// folder; nothing else does, not even a file or a link of a similar name.
TEST_F(CommandLineTest, ExportRemovesTheStaleTemporaryFilesOfAKilledExport) {
    ASSERT_EQ(Run({"-install", Spec("cash_only.xml")}).exitCode, 0);
    std::ofstream(folder_ / "victim") << "keep";
    const std::string stale = ".pantrel-0123456789abcdef.tmp";
    const std::vector<std::string> kept = {
        ".pantrel-0123456789abcdeg.tmp", ".pantrel-0123456789abcdef.tmp.x",
        "pantrel-0123456789abcdef.tmp", ".pantrel-fedcba9876543210.tmp"};
    for (const std::string& name : {stale, kept[0], kept[1], kept[2]}) {
        std::ofstream(folder_ / name) << "old";
        fs::last_write_time(folder_ / name,
                            fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
    fs::create_symlink("victim", folder_ / kept[3]);  // a link of the pattern is never followed
    // One of a run still going on, written since this run began.
    std::ofstream(folder_ / ".pantrel-aaaaaaaaaaaaaaaa.tmp") << "busy";
    fs::last_write_time(folder_ / ".pantrel-aaaaaaaaaaaaaaaa.tmp",
                        fs::file_time_type::clock::now() + std::chrono::hours(1));
    ASSERT_EQ(Run({"-export", "out.reg"}).exitCode, 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder_ / stale)));
    for (const std::string& name : kept) {
        EXPECT_TRUE(fs::exists(fs::symlink_status(folder_ / name))) << name;
    }
    EXPECT_EQ(ReadWholeFile(folder_ / "victim"), "keep");
    EXPECT_EQ(ReadWholeFile(folder_ / ".pantrel-aaaaaaaaaaaaaaaa.tmp"), "busy");
}

TEST_F(CommandLineTest, ExportToAnUnwritablePlaceFails) {
    const ProcessResult result = Run({"-export", (folder_ / "no" / "such" / "x.reg").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("x.reg"), std::string::npos);
    EXPECT_NE(result.err.find("nie ma takiego folderu"), std::string::npos) << result.err;
}

// A bare path that only begins with a word of this tool's own switches is no switch: the window
// is asked for, and nothing is written where the rest of the word points.
TEST_F(CommandLineTest, APathBeginningWithASwitchWordIsNoSwitch) {
    fs::create_directory(folder_ / "s");
    std::ofstream(folder_ / "s" / "notes.txt") << "keep";
    for (const std::string path : {"/exports/notes.txt", "/validates/notes.txt", "/lists"}) {
        const ProcessResult result = Run({path});
        EXPECT_EQ(result.exitCode, 2) << path << "\n" << result.err;
    }
    EXPECT_EQ(ReadWholeFile(folder_ / "s" / "notes.txt"), "keep");
}

// Names may hold tabs and line breaks (character references), paths backslashes: every field is
// escaped so that each entry stays one line of four fields.
TEST_F(CommandLineTest, ListAndValidateEscapeWhatWouldBreakTheirLines) {
    std::string text = ReadWholeFile(Spec("cash_only.xml"));
    text.replace(text.find("K-1"), 3, "K&#9;1&#13;&#10;x\\y");
    text.replace(text.find("<Producent>Kasomat"), 18, "<Producent>Ka\\so&#9;mat");
    const fs::path folder = folder_ / "a\\b\tc";
    fs::create_directory(folder);
    const std::string spec = (folder / "k.xml").string();
    std::ofstream(spec, std::ios::binary) << text;
    const std::string escapedSpec = (folder_ / "a\\\\b\\tc" / "k.xml").string();
    // A tab sorts before "-", as its Windows-1250 byte does.
    const std::string expected = "Kasa fiskalna\tK\\t1\\r\\nx\\\\y\tKa\\\\so\\tmat\t" +
                                 escapedSpec + "\n" + "Kasa fiskalna\tK-2\tKa\\\\so\\tmat\t" +
                                 escapedSpec + "\n";
    ProcessResult result = Run({"-validate", spec});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, expected);
    ASSERT_EQ(Run({"-install", spec}).exitCode, 0);
    result = Run({"-list"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, expected);
}

// A path longer than the system takes, as a whole or in one of its names, is called too long,
// not missing.
TEST_F(CommandLineTest, APathOverTheSystemsLimitIsCalledTooLong) {
    std::string deep;
    for (int i = 0; i < 1100; ++i) {
        deep += "abc/";
    }
    for (const std::string& path : {Spec(std::string(300, 'n') + ".xml"), "/" + deep + "k.xml"}) {
        for (const std::string verb : {"-install", "-uninstall", "-validate"}) {
            const ProcessResult result = Run({verb, path});
            EXPECT_EQ(result.exitCode, 1) << verb;
            EXPECT_NE(result.err.find("jest dłuższa, niż pozwala system\n"), std::string::npos)
                << result.err;
            EXPECT_EQ(result.err.find("nie istnieje"), std::string::npos) << result.err;
            EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        }
    }
    EXPECT_FALSE(fs::exists(Store()));
}

TEST_F(CommandLineTest, WithoutADisplayTheWindowExplainsTheSwitches) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"-help"}, {"spec.xml"}, {"-"}}) {
        const ProcessResult result = Run(args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find("-install PLIK"), std::string::npos) << result.err;
    }
}

}  // namespace
}  // namespace pantrel
