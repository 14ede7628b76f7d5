// Leaving the models' descriptions out of the tree must change nothing a file's reader sees: the
// same errors at the same places, the same verdicts, the same models with the same names.

#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "kinds/device_kind.h"
#include "loader/embedded_schema.h"
#include "loader/model_queries.h"
#include "loader/specification_document.h"
#include "loader/specification_loader.h"
#include "loader/specification_namespace.h"
#include "loader/validating_parse.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

// What one reading of a file gives: every error, the verdicts, and each model as the install
// reads it ("kind|name|producer").
struct Reading {
    std::vector<std::string> issues;
    bool treeValidated = false;
    bool descriptionsLeftOut = false;
    std::vector<std::string> models;
};

std::vector<std::string> ModelsOf(XmlDocPtr tree) {
    const DocumentHolder document =
        MakeSpecificationDocument(std::move(tree), CompiledSchema{}, SPECIFICATION_NAMESPACE);
    std::vector<std::string> models;
    for (const DeviceKind kind :
         {DeviceKind::CashRegister, DeviceKind::LabelScale, DeviceKind::FiscalPrinter}) {
        ModelList selected;
        if (!SelectModels(document, selected, kind)) {
            models.push_back("no selection");
            continue;
        }
        for (const ModelNode& model : selected) {
            std::string name = "?";
            std::string producer = "?";
            ReadModelName(model, name);
            ReadDriverProducer(model, producer);
            models.push_back(std::to_string(static_cast<int>(kind)) + "|" + name + "|" + producer);
        }
    }
    return models;
}

Reading Read(const std::string& path, IssueScope scope, TreeExtent extent) {
    XmlDocPtr schemaDocument;
    EXPECT_TRUE(LoadEmbeddedSchema(schemaDocument, SCHEMA_RESOURCE_ID));
    const CompiledSchema schema = CompileSchema(std::move(schemaDocument), SPECIFICATION_NAMESPACE);
    ValidatingParseResult parsed = ParseAndValidate(path, *schema.schema, scope, extent);
    Reading reading;
    for (const ParseIssue& issue : parsed.issues) {
        reading.issues.push_back(std::to_string(issue.line) + ":" + std::to_string(issue.column) +
                                 ": " + issue.description);
    }
    reading.treeValidated = parsed.treeValidated;
    reading.descriptionsLeftOut = parsed.descriptionsLeftOut;
    if (parsed.document && parsed.issues.empty()) {
        reading.models = ModelsOf(std::move(parsed.document));
    }
    return reading;
}

void ExpectSameReading(const std::string& path) {
    for (const IssueScope scope : {IssueScope::FirstOnly, IssueScope::All}) {
        const Reading whole = Read(path, scope, TreeExtent::Whole);
        const Reading skipping = Read(path, scope, TreeExtent::ForModelQueries);
        EXPECT_EQ(skipping.issues, whole.issues) << path;
        EXPECT_EQ(skipping.treeValidated, whole.treeValidated) << path;
        EXPECT_EQ(skipping.models, whole.models) << path;
        EXPECT_FALSE(whole.descriptionsLeftOut) << path;
    }
}

// Writes `text` as `name`.xml, reads it both ways, and checks whether descriptions were left out.
void ExpectSameReadingOf(const testing::TempFolder& folder, const std::string& name,
                         const std::string& text, bool leftOut) {
    const std::string path = folder.Write(name + ".xml", text);
    SCOPED_TRACE(name);
    ExpectSameReading(path);
    EXPECT_EQ(Read(path, IssueScope::FirstOnly, TreeExtent::ForModelQueries).descriptionsLeftOut,
              leftOut);
}

TEST(DescriptionSkippingTest, EveryTestFileReadsAsWithTheWholeTree) {
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(testing::DataFile("")))) {
        if (entry.path().extension() == ".xml") {
            ExpectSameReading(entry.path().string());
            ++files;
        }
    }
    EXPECT_GT(files, 40);
    EXPECT_TRUE(Read(testing::DataFile("valid_all_sections.xml"), IssueScope::FirstOnly,
                     TreeExtent::ForModelQueries)
                    .descriptionsLeftOut);
}

// A model whose description is `description`, placed after its name and producer unless
// `inModel` says where the model's children go (with "%" for the description).
std::string ModelFile(
    const std::string& description,
    const std::string& inModel = "<Nazwa>Orzeł</Nazwa><Producent>Z</Producent>%") {
    std::string children = inModel;
    children.replace(children.find('%'), 1, description);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<Sterowniki xmlns=\"http://www.pantrel.pl/UF/Sterowniki.xsd\" wersja=\"1.0\">\n"
           " <Sterownik typ=\"Kasa fiskalna\"><Nazwa>S</Nazwa><Producent>Zakład</Producent>\n"
           "  <Wersja>3</Wersja><PlikExe>k.dll</PlikExe><Modele>\n"
           "   <Model id=\"1\">\n" +
           children +
           "\n   </Model>\n"
           "   <Model><Nazwa>Drugi</Nazwa><Producent>Z</Producent></Model>\n"
           "  </Modele></Sterownik>\n</Sterowniki>\n";
}

std::string Mapping(const std::string& itemName) {
    return "<Konfiguracja><Mapowanie rodzaj=\"Ceny\"><Pozycja><Id>1</Id><Nazwa>" + itemName +
           "</Nazwa></Pozycja></Mapowanie></Konfiguracja>";
}

// `text` with the first `from` replaced by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

// Operations whose receiving of sales, of empty content, holds `content`.
std::string Sales(const std::string& content) {
    return "<Operacje><OdbiórSprzedaży usuwanie=\"1\">" + content + "</OdbiórSprzedaży></Operacje>";
}

// Elements `depth` deep, each opened with `start`; past libxml2's limit when the whole file is
// over 257 deep.
std::string Nested(int depth, const std::string& start = "<a>") {
    std::string text;
    for (int i = 0; i < depth; ++i) {
        text.append(start);
    }
    for (int i = 0; i < depth; ++i) {
        text.append("</a>");
    }
    return text;
}

// The parser tells ignorable blanks from text by the shape of the element it stands in, and
// the tree builder has limits of its own; each case is a way the two readings could part.
TEST(DescriptionSkippingTest, DescriptionsReadAsWithTheWholeTree) {
    struct Case {
        const char* name;
        std::string description;
        std::string inModel;
        bool leftOut;  // whether the description is left out (else the file is read whole)
    };
    const std::string inOrder = "<Nazwa>Orzeł</Nazwa><Producent>Z</Producent>%";
    const std::vector<Case> cases = {
        {"blank_only_text", Mapping("   "), inOrder, true},
        {"blank_after_comment", Mapping("<!--c-->   "), inOrder, true},
        {"blank_after_text_and_comment", Mapping("a<!--c-->  "), inOrder, true},
        {"blank_after_instruction", Mapping("<?p x?>  "), inOrder, true},
        {"blank_between_digits",
         "<Konfiguracja><Mapowanie rodzaj=\"Ceny\"><Pozycja><Id>1<!--c-->  <!--d-->2</Id>"
         "<Nazwa>n</Nazwa></Pozycja></Mapowanie></Konfiguracja>",
         inOrder, true},
        {"cdata_blank", Mapping("<![CDATA[  ]]>"), inOrder, true},
        {"blank_around_cdata", Mapping("  <![CDATA[x]]>  "), inOrder, true},
        {"entities_and_references", Mapping("&amp;&#x20;&lt;  "), inOrder, true},
        {"text_beside_elements", "<Operacje>x<Konfiguracja/>  </Operacje>", inOrder, true},
        {"element_only_blanks", "<Operacje>\n  <Konfiguracja> </Konfiguracja>\n</Operacje>",
         inOrder, true},
        {"foreign_name_in_model", "<x:Nazwa xmlns:x=\"urn:x\">a</x:Nazwa>", inOrder, true},
        {"name_after_description", "<Operacje/><Nazwa>druga</Nazwa>", inOrder, true},
        {"too_deep", "<Operacje>" + Nested(300) + "</Operacje>", inOrder, true},
        {"deepest", "<Operacje>" + Nested(252, "<a b=\"&amp;\" c=\"d\">") + "</Operacje>", inOrder,
         true},
        {"one_too_deep", "<Operacje>" + Nested(253, "<a b=\"&amp;\" c=\"d\">") + "</Operacje>",
         inOrder, true},
        // Blanks the parser reads character by character, and runs longer than its buffer.
        {"tab_and_line_end_blanks", Mapping("\t \r\n\t"), inOrder, true},
        {"long_blank_runs", Mapping(std::string(400, ' ') + "\t" + std::string(400, ' ')), inOrder,
         true},
        {"long_blanks_then_text", Mapping(std::string(350, '\t') + "x"), inOrder, true},
        // An element of empty content takes no text, not even blanks the parser keeps; the
        // validator still hears of text after its first error.
        {"empty_content_blank", Sales("  "), inOrder, true},
        {"empty_content_blank_after_comment", Sales("<!--c-->\n  "), inOrder, true},
        {"empty_content_blanks_around_instruction", Sales("  <?p?>  "), inOrder, true},
        {"empty_content_cdata", Sales("<![CDATA[]]>  "), inOrder, true},
        {"empty_content_after_error",
         Replaced(Sales("<!--c-->  <a/>  "), "\"1\"", "\"x\"") + "<Towary> </Towary>", inOrder,
         true},
        // xml:space is the parser's own; preserved blanks are text, in and below the element.
        {"preserve_on_left_out",
         "<Operacje xml:space=\"preserve\">  <Konfiguracja>  </Konfiguracja>  </Operacje>", inOrder,
         true},
        {"default_inside_preserve",
         "<Operacje xml:space=\"preserve\"><Konfiguracja xml:space=\"default\">  "
         "</Konfiguracja>  </Operacje>",
         inOrder, true},
        {"space_value_unknown", "<Operacje xml:space=\"zle\">  </Operacje>", inOrder, true},
        // Namespaces the validator resolves by itself, and prefixes nobody declared.
        {"namespaces_on_left_out",
         "<Operacje xmlns:q=\"urn:q\" xmlns=\"urn:d\"><q:a/> <b/></Operacje>", inOrder, true},
        {"xsi_on_left_out",
         "<Operacje xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:nil=\"true\" "
         "xsi:type=\"x:T\"/>",
         inOrder, true},
        {"undeclared_prefix", "<p:Operacje/><Operacje p:a=\"1\"/>", inOrder, true},
        // The model's own children around the description: only elements let it be left out.
        {"between_name_and_producer", "<Operacje/>",
         "<Nazwa>Orzeł</Nazwa>%<Producent>Z</Producent>", true},
        {"comment_between_name_and_producer", "<Operacje/>",
         "<Nazwa>Orzeł</Nazwa><!--c--><Producent>Z</Producent>%", true},
        {"comment_before_description", "<!--c--><Operacje/>", inOrder, false},
        {"instruction_before_description", "<?p x?>  <Operacje/>", inOrder, false},
        {"cdata_before_description", "<![CDATA[ ]]><Operacje/>", inOrder, false},
        {"model_in_model", "<Model><Nazwa>W</Nazwa><Producent>W</Producent></Model>", inOrder,
         true},
        // Errors in a description: the parse ends on a malformed one, validation goes on.
        {"tag_mismatch", "<Operacje><a></b>  x</Operacje>", inOrder, true},
        {"undeclared_entity", "<Operacje>&nic;</Operacje>", inOrder, true},
        {"duplicate_attribute", "<Operacje a=\"1\" a=\"2\"/>", inOrder, false},
        {"character_zero", "<Operacje>&#0;</Operacje>", inOrder, true},
        {"cdata_end_in_text", "<Operacje>]]></Operacje>", inOrder, true},
        {"left_open", "<Operacje><a>", inOrder, true},
        {"invalid_then_more",
         "<Operacje><Nieznany>  </Nieznany><Inny/></Operacje><Konfiguracja> x </Konfiguracja>",
         inOrder, true},
        {"long_text_after_malformed",
         "<Operacje></a>" + std::string((1 << 20) + 10, 'x') + "</Operacje>", inOrder, false},
        {"xml_id_not_a_name", "<Operacje xml:id=\"1 x\"/>", inOrder, false},
        {"xml_id_twice", "<Operacje xml:id=\"a\"/><Konfiguracja xml:id=\"a\"/>", inOrder, false},
        {"xml_id_below", "<Operacje><a xml:id=\"x\"/>tekst  </Operacje>", inOrder, false},
        {"long_text",
         "<Operacje><Konfiguracja>" + std::string((1 << 20) + 10, 'x') +
             "</Konfiguracja></Operacje>",
         inOrder, false},
        {"longest_text_left_out",
         "<Operacje><Konfiguracja>" + std::string(1 << 20, 'x') + "</Konfiguracja></Operacje>",
         inOrder, true},
        {"long_texts_apart",
         "<Operacje>" + std::string(600000, 'x') + "<!--c-->" + std::string(600000, 'y') +
             "<![CDATA[" + std::string(600000, 'z') + "]]></Operacje>",
         inOrder, true},
        {"long_cdata", "<Operacje><![CDATA[" + std::string((1 << 20) + 10, 'x') + "]]></Operacje>",
         inOrder, false},
        {"text_before_description", "tekst<Operacje/>", inOrder, false},
        {"description_first", "<Operacje/>", "%<Nazwa>Orzeł</Nazwa><Producent>Z</Producent>",
         false},
    };
    const testing::TempFolder folder;
    for (const Case& entry : cases) {
        ExpectSameReadingOf(folder, entry.name, ModelFile(entry.description, entry.inModel),
                            entry.leftOut);
    }
}

// The model's own attributes are left out too, but an xml:id, which the tree builder checks.
TEST(DescriptionSkippingTest, ModelAttributesReadAsWithTheWholeTree) {
    const testing::TempFolder folder;
    for (const char* attributes :
         {" id=\"1\" param=\"p\"", " xml:id=\"1 x\"", " xml:id=\"a\" id=\"2\"", " ok=\"x\"",
          " xml:space=\"preserve\" xml:lang=\"pl\"", " xmlns:p=\"urn:p\" p:x=\"1\" q:y=\"2\"",
          " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:nil=\"true\""}) {
        std::string text = ModelFile("<Operacje/>  " + Mapping(" "));
        text.replace(text.find(" id=\"1\""), 7, attributes);
        SCOPED_TRACE(attributes);
        ExpectSameReading(folder.Write("model.xml", text));
    }
}

// UTF-8 text (of the Basic Multilingual Plane) as UTF-16LE with its byte order mark.
std::string Utf16(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        unsigned value = length == 1 ? lead : lead & (length == 2 ? 0x1Fu : 0x0Fu);
        for (std::size_t k = 1; k < length; ++k) {
            value = (value << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
        }
        bytes.push_back(static_cast<char>(value & 0xFF));
        bytes.push_back(static_cast<char>(value >> 8));
        i += length;
    }
    return bytes;
}

// What lies around the models: the document type, the encoding, where the models stand.
TEST(DescriptionSkippingTest, FilesReadAsWithTheWholeTree) {
    const std::string file = ModelFile("\n <Operacje> <Konfiguracja/> </Operacje>" + Mapping("  "));
    const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const std::string second = "<Model><Nazwa>Drugi</Nazwa><Producent>Z</Producent></Model>";
    struct Case {
        const char* name;
        std::string text;
        bool leftOut;
    };
    const std::vector<Case> cases = {
        {"doctype", Replaced(file, declaration, declaration + "<!DOCTYPE Sterowniki>\n"), false},
        {"doctype_entity",
         Replaced(
             Replaced(file, declaration,
                      declaration + "<!DOCTYPE Sterowniki [<!ENTITY e \"<Konfiguracja/>\">]>\n"),
             "<Konfiguracja/>", "&e;"),
         false},
        {"utf16", Utf16(Replaced(file, "UTF-8", "UTF-16")), true},
        {"windows1250",
         Replaced(Replaced(Replaced(file, "UTF-8", "windows-1250"), "\xC5\x82", "\xB3"), "\xC5\x82",
                  "\xB3"),
         true},
        {"foreign_model",
         Replaced(file, second, "<m:Model xmlns:m=\"urn:m\"><Operacje/></m:Model>"), true},
        {"model_beside_models",
         Replaced(file, "<Modele>", "<Model><Nazwa>N</Nazwa><Operacje/></Model><Modele>"), true},
        {"empty_models", Replaced(file, second, "<Model/><Model>  </Model>"), true},
    };
    const testing::TempFolder folder;
    for (const Case& entry : cases) {
        ExpectSameReadingOf(folder, entry.name, entry.text, entry.leftOut);
    }
}

TEST(DescriptionSkippingTest, TheLoadedTreeHoldsOfEachModelItsNameAndProducer) {
    const testing::TempFolder folder;
    const std::string path = folder.Write("model.xml", ModelFile(Mapping("detaliczna")));
    testing::RecordingSink sink;
    DocumentHolder document;
    ASSERT_EQ(testing::LoadWithEmbeddedSchema(document, path, sink), S_OK_STATUS);
    ModelList models;
    ASSERT_TRUE(SelectModels(document, models, DeviceKind::CashRegister));
    ASSERT_EQ(models.size(), 2u);
    for (const ModelNode& model : models) {
        std::vector<std::string> children;
        for (const xmlNode* child = model.node()->children; child != nullptr; child = child->next) {
            children.emplace_back(reinterpret_cast<const char*>(child->name));
        }
        EXPECT_EQ(children, (std::vector<std::string>{"Nazwa", "Producent"}));
        EXPECT_EQ(model.node()->properties, nullptr);
    }
}

}  // namespace
}  // namespace pantrel
