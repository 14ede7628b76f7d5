// The one pass must read a file as a whole-tree reading of it would: the same verdict, and of a
// file that loads, the same models with the same names and producers in the same order.

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "kinds/device_kind.h"
#include "loader/embedded_schema.h"
#include "loader/model_queries.h"
#include "loader/outside_resource_block.h"
#include "loader/specification_loader.h"
#include "loader/specification_namespace.h"
#include "loader/validating_parse.h"
#include "loader/xml_error_scope.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

constexpr DeviceKind kInstallOrder[] = {DeviceKind::CashRegister, DeviceKind::LabelScale,
                                        DeviceKind::FiscalPrinter};

// What a reading gives: whether the file loads and each model as install reads it
// ("kind|name|producer"), kinds in install order.
struct Reading {
    bool loads = false;
    std::vector<std::string> models;
};

bool Named(const xmlNode& node, const char* name) {
    return node.type == XML_ELEMENT_NODE && node.ns != nullptr &&
           xmlStrEqual(node.ns->href, BAD_CAST SPECIFICATION_NAMESPACE.data()) &&
           xmlStrEqual(node.name, BAD_CAST name);
}

const xmlNode* FirstChild(const xmlNode& parent, const char* name) {
    for (const xmlNode* child = parent.children; child != nullptr; child = child->next) {
        if (Named(*child, name)) {
            return child;
        }
    }
    return nullptr;
}

std::string Content(const xmlNode* node) {
    if (node == nullptr) {
        return "?";
    }
    xmlChar* const text = xmlNodeGetContent(node);
    std::string content = text != nullptr ? reinterpret_cast<const char*>(text) : "?";
    xmlFree(text);
    return content;
}

// The reference: libxml2's whole tree of the file (entities expanded, blanks kept), validated
// as a tree, its models picked out by walking it.
Reading ReadWholeTree(const std::string& path, const CompiledSchema& schema) {
    const std::string bytes = testing::ReadBytes(path);
    const XmlErrorScope quiet(IgnoreXmlError, nullptr);
    const OutsideResourceBlock nothingOutside;
    const XmlDocPtr tree(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "tree.xml",
                                       nullptr,
                                       XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_BIG_LINES));
    Reading reading;
    if (!tree) {
        return reading;
    }
    const SchemaValidContextPtr validator(xmlSchemaNewValidCtxt(schema.schema.get()));
    reading.loads = xmlSchemaValidateDoc(validator.get(), tree.get()) == 0;
    const xmlNode* const root = xmlDocGetRootElement(tree.get());
    if (!reading.loads || root == nullptr) {
        return reading;
    }
    for (const DeviceKind kind : kInstallOrder) {
        const std::string noun =
            KindNoun(kind, GrammaticalCase::Nominative, false, LetterCase::FirstUpper);
        for (const xmlNode* driver = root->children; driver != nullptr; driver = driver->next) {
            xmlChar* const typ =
                Named(*driver, "Sterownik") ? xmlGetNoNsProp(driver, BAD_CAST "typ") : nullptr;
            const bool ofKind = typ != nullptr && noun == reinterpret_cast<const char*>(typ);
            xmlFree(typ);
            const xmlNode* const list = ofKind ? FirstChild(*driver, "Modele") : nullptr;
            for (const xmlNode* model = list != nullptr ? list->children : nullptr;
                 model != nullptr; model = model->next) {
                if (Named(*model, "Model")) {
                    reading.models.push_back(std::to_string(static_cast<int>(kind)) + "|" +
                                             Content(FirstChild(*model, "Nazwa")) + "|" +
                                             Content(FirstChild(*driver, "Producent")));
                }
            }
        }
    }
    return reading;
}

Reading ReadAsInstall(const std::string& path) {
    testing::RecordingSink sink;
    DocumentHolder document;
    Reading reading;
    reading.loads = testing::LoadWithEmbeddedSchema(document, path, sink) == S_OK_STATUS;
    EXPECT_EQ(sink.messages.empty(), reading.loads || sink.messages.empty()) << path;
    if (!reading.loads) {
        return reading;
    }
    for (const DeviceKind kind : kInstallOrder) {
        ModelList selected;
        EXPECT_TRUE(SelectModels(document, selected, kind));
        for (const ModelNode& model : selected) {
            std::string name = "?";
            std::string producer = "?";
            ReadModelName(model, name);
            ReadDriverProducer(model, producer);
            reading.models.push_back(std::to_string(static_cast<int>(kind)) + "|" + name + "|" +
                                     producer);
        }
    }
    return reading;
}

void ExpectSameReading(const std::string& path) {
    XmlDocPtr schemaDocument;
    ASSERT_TRUE(LoadEmbeddedSchema(schemaDocument, SCHEMA_RESOURCE_ID));
    const CompiledSchema schema = CompileSchema(std::move(schemaDocument), SPECIFICATION_NAMESPACE);
    const Reading tree = ReadWholeTree(path, schema);
    const Reading install = ReadAsInstall(path);
    EXPECT_EQ(install.loads, tree.loads) << path;
    EXPECT_EQ(install.models, tree.models) << path;
    // Install stops at the first error that -validate lists.
    const ValidatingParseResult first = ParseAndValidate(path, schema, IssueScope::FirstOnly);
    const ValidatingParseResult all = ParseAndValidate(path, schema, IssueScope::All);
    EXPECT_EQ(first.valid, all.valid) << path;
    EXPECT_EQ(first.issues.empty(), all.issues.empty()) << path;
    if (!first.issues.empty() && !all.issues.empty()) {
        EXPECT_EQ(first.issues.front().description, all.issues.front().description) << path;
    }
}

void ExpectSameReadingOf(const testing::TempFolder& folder, const std::string& name,
                         const std::string& text) {
    SCOPED_TRACE(name);
    ExpectSameReading(folder.Write(name + ".xml", text));
}

TEST(OnePassReadingTest, EveryTestFileReadsAsWithTheWholeTree) {
    int files = 0;
    int loaded = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(testing::DataFile("")))) {
        if (entry.path().extension() == ".xml") {
            ExpectSameReading(entry.path().string());
            ++files;
            testing::RecordingSink sink;
            DocumentHolder document;
            loaded += testing::LoadWithEmbeddedSchema(document, entry.path().string(), sink) ==
                              S_OK_STATUS
                          ? 1
                          : 0;
        }
    }
    EXPECT_GT(files, 40);
    EXPECT_GT(loaded, 10);
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
TEST(OnePassReadingTest, DescriptionsReadAsWithTheWholeTree) {
    struct Case {
        const char* name;
        std::string description;
        std::string inModel;
    };
    const std::string inOrder = "<Nazwa>Orzeł</Nazwa><Producent>Z</Producent>%";
    const std::vector<Case> cases = {
        {"blank_only_text", Mapping("   "), inOrder},
        {"blank_after_comment", Mapping("<!--c-->   "), inOrder},
        {"blank_after_text_and_comment", Mapping("a<!--c-->  "), inOrder},
        {"blank_after_instruction", Mapping("<?p x?>  "), inOrder},
        {"blank_between_digits",
         "<Konfiguracja><Mapowanie rodzaj=\"Ceny\"><Pozycja><Id>1<!--c-->  <!--d-->2</Id>"
         "<Nazwa>n</Nazwa></Pozycja></Mapowanie></Konfiguracja>",
         inOrder},
        {"cdata_blank", Mapping("<![CDATA[  ]]>"), inOrder},
        {"blank_around_cdata", Mapping("  <![CDATA[x]]>  "), inOrder},
        {"entities_and_references", Mapping("&amp;&#x20;&lt;  "), inOrder},
        {"text_beside_elements", "<Operacje>x<Konfiguracja/>  </Operacje>", inOrder},
        {"element_only_blanks", "<Operacje>\n  <Konfiguracja> </Konfiguracja>\n</Operacje>",
         inOrder},
        {"foreign_name_in_model", "<x:Nazwa xmlns:x=\"urn:x\">a</x:Nazwa>", inOrder},
        {"name_after_description", "<Operacje/><Nazwa>druga</Nazwa>", inOrder},
        {"too_deep", "<Operacje>" + Nested(300) + "</Operacje>", inOrder},
        {"deepest", "<Operacje>" + Nested(252, "<a b=\"&amp;\" c=\"d\">") + "</Operacje>", inOrder},
        {"one_too_deep", "<Operacje>" + Nested(253, "<a b=\"&amp;\" c=\"d\">") + "</Operacje>",
         inOrder},
        // Blanks the parser reads character by character, and runs longer than its buffer.
        {"tab_and_line_end_blanks", Mapping("\t \r\n\t"), inOrder},
        {"long_blank_runs", Mapping(std::string(400, ' ') + "\t" + std::string(400, ' ')), inOrder},
        {"long_blanks_then_text", Mapping(std::string(350, '\t') + "x"), inOrder},
        // An element of empty content takes no text, not even blanks the parser keeps; the
        // validator still hears of text after its first error.
        {"empty_content_blank", Sales("  "), inOrder},
        {"empty_content_blank_after_comment", Sales("<!--c-->\n  "), inOrder},
        {"empty_content_blanks_around_instruction", Sales("  <?p?>  "), inOrder},
        {"empty_content_cdata", Sales("<![CDATA[]]>  "), inOrder},
        {"empty_content_after_error",
         Replaced(Sales("<!--c-->  <a/>  "), "\"1\"", "\"x\"") + "<Towary> </Towary>", inOrder},
        // xml:space is the parser's own; preserved blanks are text, in and below the element.
        {"preserve_on_left_out",
         "<Operacje xml:space=\"preserve\">  <Konfiguracja>  </Konfiguracja>  </Operacje>",
         inOrder},
        {"default_inside_preserve",
         "<Operacje xml:space=\"preserve\"><Konfiguracja xml:space=\"default\">  "
         "</Konfiguracja>  </Operacje>",
         inOrder},
        {"space_value_unknown", "<Operacje xml:space=\"zle\">  </Operacje>", inOrder},
        // Namespaces the validator resolves by itself, and prefixes nobody declared.
        {"namespaces_on_left_out",
         "<Operacje xmlns:q=\"urn:q\" xmlns=\"urn:d\"><q:a/> <b/></Operacje>", inOrder},
        {"xsi_on_left_out",
         "<Operacje xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:nil=\"true\" "
         "xsi:type=\"x:T\"/>",
         inOrder},
        {"undeclared_prefix", "<p:Operacje/><Operacje p:a=\"1\"/>", inOrder},
        // The model's own children around the description: only elements let it be left out.
        {"between_name_and_producer", "<Operacje/>",
         "<Nazwa>Orzeł</Nazwa>%<Producent>Z</Producent>"},
        {"comment_between_name_and_producer", "<Operacje/>",
         "<Nazwa>Orzeł</Nazwa><!--c--><Producent>Z</Producent>%"},
        {"comment_before_description", "<!--c--><Operacje/>", inOrder},
        {"instruction_before_description", "<?p x?>  <Operacje/>", inOrder},
        {"cdata_before_description", "<![CDATA[ ]]><Operacje/>", inOrder},
        {"model_in_model", "<Model><Nazwa>W</Nazwa><Producent>W</Producent></Model>", inOrder},
        // Errors in a description: the parse ends on a malformed one, validation goes on.
        {"tag_mismatch", "<Operacje><a></b>  x</Operacje>", inOrder},
        {"undeclared_entity", "<Operacje>&nic;</Operacje>", inOrder},
        {"duplicate_attribute", "<Operacje a=\"1\" a=\"2\"/>", inOrder},
        {"character_zero", "<Operacje>&#0;</Operacje>", inOrder},
        {"cdata_end_in_text", "<Operacje>]]></Operacje>", inOrder},
        {"left_open", "<Operacje><a>", inOrder},
        {"invalid_then_more",
         "<Operacje><Nieznany>  </Nieznany><Inny/></Operacje><Konfiguracja> x </Konfiguracja>",
         inOrder},
        {"long_text_after_malformed",
         "<Operacje></a>" + std::string((1 << 20) + 10, 'x') + "</Operacje>", inOrder},
        {"xml_id_not_a_name", "<Operacje xml:id=\"1 x\"/>", inOrder},
        {"xml_id_twice", "<Operacje xml:id=\"a\"/><Konfiguracja xml:id=\"a\"/>", inOrder},
        {"xml_id_below", "<Operacje><a xml:id=\"x\"/>tekst  </Operacje>", inOrder},
        {"long_text",
         "<Operacje><Konfiguracja>" + std::string((1 << 20) + 10, 'x') +
             "</Konfiguracja></Operacje>",
         inOrder},
        {"longest_text_left_out",
         "<Operacje><Konfiguracja>" + std::string(1 << 20, 'x') + "</Konfiguracja></Operacje>",
         inOrder},
        {"long_texts_apart",
         "<Operacje>" + std::string(600000, 'x') + "<!--c-->" + std::string(600000, 'y') +
             "<![CDATA[" + std::string(600000, 'z') + "]]></Operacje>",
         inOrder},
        {"long_cdata", "<Operacje><![CDATA[" + std::string((1 << 20) + 10, 'x') + "]]></Operacje>",
         inOrder},
        {"text_before_description", "tekst<Operacje/>", inOrder},
        {"description_first", "<Operacje/>", "%<Nazwa>Orzeł</Nazwa><Producent>Z</Producent>"},
    };
    const testing::TempFolder folder;
    for (const Case& entry : cases) {
        ExpectSameReadingOf(folder, entry.name, ModelFile(entry.description, entry.inModel));
    }
}

// The model's own attributes, xml:id among them, change nothing install reads.
TEST(OnePassReadingTest, ModelAttributesReadAsWithTheWholeTree) {
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
TEST(OnePassReadingTest, FilesReadAsWithTheWholeTree) {
    const std::string file = ModelFile("\n <Operacje> <Konfiguracja/> </Operacje>" + Mapping("  "));
    const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const std::string second = "<Model><Nazwa>Drugi</Nazwa><Producent>Z</Producent></Model>";
    struct Case {
        const char* name;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"doctype", Replaced(file, declaration, declaration + "<!DOCTYPE Sterowniki>\n")},
        {"doctype_entity",
         Replaced(
             Replaced(file, declaration,
                      declaration + "<!DOCTYPE Sterowniki [<!ENTITY e \"<Konfiguracja/>\">]>\n"),
             "<Konfiguracja/>", "&e;")},
        {"utf16", Utf16(Replaced(file, "UTF-8", "UTF-16"))},
        {"windows1250",
         Replaced(Replaced(Replaced(file, "UTF-8", "windows-1250"), "\xC5\x82", "\xB3"), "\xC5\x82",
                  "\xB3")},
        {"foreign_model",
         Replaced(file, second, "<m:Model xmlns:m=\"urn:m\"><Operacje/></m:Model>")},
        {"model_beside_models",
         Replaced(file, "<Modele>", "<Model><Nazwa>N</Nazwa><Operacje/></Model><Modele>")},
        {"empty_models", Replaced(file, second, "<Model/><Model>  </Model>")},
    };
    const testing::TempFolder folder;
    for (const Case& entry : cases) {
        ExpectSameReadingOf(folder, entry.name, entry.text);
    }
}

// A name and a producer written with CDATA, character references and entities are read as the
// text they stand for.
TEST(OnePassReadingTest, NamesAreTheTextTheMarkupStandsFor) {
    std::string file = ModelFile("");
    file = Replaced(file, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n",
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<!DOCTYPE Sterowniki [<!ENTITY syn \"&amp; Syn\">]>\n");
    file = Replaced(file, "<Nazwa>Orzeł</Nazwa>", "<Nazwa>Or<![CDATA[z<&]]>e&#x142;&syn;</Nazwa>");
    file = Replaced(file, "<Producent>Zakład</Producent>",
                    "<Producent><![CDATA[Z]]>&#65;</Producent>");
    const testing::TempFolder folder;
    const std::string path = folder.Write("znaczniki.xml", file);
    ExpectSameReading(path);
    EXPECT_EQ(ReadAsInstall(path).models,
              (std::vector<std::string>{"1|Orz<&eł& Syn|ZA", "1|Drugi|ZA"}));
}

}  // namespace
}  // namespace pantrel
