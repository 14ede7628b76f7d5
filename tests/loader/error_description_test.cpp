#include <gtest/gtest.h>
#include <libxml/xmlerror.h>

#include <string>

#include "loader/messages/xml_error_description.h"
#include "loader/specification_errors.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

constexpr const char* kNamespace = "http://www.pantrel.pl/UF/Sterowniki.xsd";

// One file per family of errors: a file of tests/data/loader, or the smallest valid file with one
// piece of text replaced.
struct DescriptionCase {
    const char* name;
    const char* file;
    const char* from;  // nullptr: the file as it is
    const char* to;
    const char* description;  // of the first error
};

void PrintTo(const DescriptionCase& c, std::ostream* out) {
    *out << c.name;
}

class ErrorDescriptionTest : public ::testing::TestWithParam<DescriptionCase> {};

TEST_P(ErrorDescriptionTest, FirstErrorIsDescribedInPolish) {
    const DescriptionCase& c = GetParam();
    const testing::TempFolder folder;
    std::string path = testing::DataFile(c.file);
    if (c.from != nullptr) {
        std::string text = testing::ReadBytes(path);
        const std::size_t at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        text.replace(at, std::string(c.from).size(), c.to);
        path = folder.Write("plik.xml", text);
    }
    const std::vector<SpecificationError> errors = CollectSpecificationErrors(path);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front().description, c.description);
}

INSTANTIATE_TEST_SUITE_P(
    WellFormedness, ErrorDescriptionTest,
    ::testing::Values(
        DescriptionCase{
            "TagMismatch", "valid_minimal.xml", "</Modele>", "</Modelle>",
            "Znacznik zamykający '</Modelle>' nie pasuje do elementu 'Modele' otwartego "
            "w linii 8."},
        DescriptionCase{"PrematureEnd", "valid_minimal.xml", "  </Sterownik>\n</Sterowniki>\n", "",
                        "Plik kończy się przed zamknięciem elementu 'Sterownik' otwartego w linii "
                        "3."},
        DescriptionCase{"InvalidCharacter", "valid_minimal.xml", "Orzeł 200",
                        "Orzeł\x01"
                        "200",
                        "Znak U+0001 nie jest dozwolony w dokumencie XML."},
        DescriptionCase{"NotUtf8", "valid_minimal.xml", "Orzeł 200", "Orze\xFF 200",
                        "Bajty 0xFF 0x20 0x32 0x30 nie są poprawnym tekstem UTF-8; plik w innym "
                        "kodowaniu musi je podać w deklaracji XML (np. "
                        "encoding=\"windows-1250\")."},
        DescriptionCase{"UnsupportedEncoding", "valid_minimal.xml", "UTF-8", "x-nieznane",
                        "Kodowanie 'x-nieznane' podane w deklaracji XML nie jest obsługiwane."},
        DescriptionCase{"UndeclaredEntity", "invalid_undeclared_entity.xml", nullptr, nullptr,
                        "Encja '&nieznana;' nie jest zadeklarowana."},
        DescriptionCase{"BareAmpersand", "message_position.xml", nullptr, nullptr,
                        "Po znaku '&' brakuje nazwy encji; sam znak '&' zapisuje się w tekście "
                        "jako '&amp;'."},
        DescriptionCase{"BareLessThan", "valid_minimal.xml", "Orzeł 200", "Orzeł < 200",
                        "Po znaku '<' brakuje poprawnej nazwy elementu; sam znak '<' zapisuje się "
                        "w tekście jako '&lt;'."},
        DescriptionCase{"AttributeTwice", "valid_minimal.xml", "wersja=\"1.0\"",
                        "wersja=\"1.0\" wersja=\"2\"",
                        "Atrybut 'wersja' występuje w tym elemencie więcej niż raz."},
        DescriptionCase{"AttributeWithoutQuotes", "valid_minimal.xml", "wersja=\"1.0\"",
                        "wersja=1.0",
                        "Wartość atrybutu musi być ujęta w cudzysłów albo apostrofy."},
        DescriptionCase{"LessThanInAttribute", "valid_minimal.xml", "wersja=\"1.0\"",
                        "wersja=\"1<0\"",
                        "Znak '<' w wartości atrybutu trzeba zapisać jako '&lt;'."},
        DescriptionCase{"ContentAfterRoot", "valid_minimal.xml", "</Sterowniki>",
                        "</Sterowniki><Sterowniki/>",
                        "Po zamknięciu elementu głównego plik zawiera dalszą treść."},
        DescriptionCase{"EmptyNamespaceOfPrefix", "valid_minimal.xml", "<Sterowniki ",
                        "<Sterowniki xmlns:x=\"\" ",
                        "Prefiks przestrzeni nazw 'x' nie może być związany z pustym adresem."},
        DescriptionCase{"UndeclaredPrefix", "valid_minimal.xml", "<Modele>", "<z:Modele>",
                        "Prefiks przestrzeni nazw 'z' (w nazwie 'z:Modele') nie jest "
                        "zadeklarowany."}));

INSTANTIATE_TEST_SUITE_P(
    Schema, ErrorDescriptionTest,
    ::testing::Values(
        DescriptionCase{"ElementNotANumber", "invalid_version_not_number.xml", nullptr, nullptr,
                        "Element 'Wersja': wartość 'trzy' nie jest poprawną wartością typu "
                        "xs:unsignedInt (liczba całkowita od 0 do 4294967295)."},
        DescriptionCase{"AttributeNotPositive", "invalid_plu_max_zero.xml", nullptr, nullptr,
                        "Element 'KodPLU', atrybut 'max': wartość '0' nie jest poprawną wartością "
                        "typu xs:positiveInteger (liczba całkowita większa od zera)."},
        DescriptionCase{"RootOutsideNamespace", "invalid_no_namespace.xml", nullptr, nullptr,
                        "Element 'Sterowniki' (bez przestrzeni nazw) nie jest zadeklarowany w "
                        "schemacie jako element główny; elementy pliku muszą należeć do "
                        "przestrzeni nazw 'http://www.pantrel.pl/UF/Sterowniki.xsd'."},
        DescriptionCase{
            "RootOtherNamespace", "invalid_other_namespace.xml", nullptr, nullptr,
            "Element 'Sterowniki' (przestrzeń nazw 'http://www.pantrel.pl/UF/Inne.xsd') "
            "nie jest zadeklarowany w schemacie jako element główny; elementy pliku "
            "muszą należeć do przestrzeni nazw "
            "'http://www.pantrel.pl/UF/Sterowniki.xsd'."},
        DescriptionCase{"UnknownRoot", "valid_minimal.xml", "<Sterowniki ", "<Sterownik ",
                        "Element 'Sterownik' nie może być elementem głównym pliku: schemat go nie "
                        "deklaruje."},
        DescriptionCase{"NotExpectedOneOf", "invalid_foreign_element.xml", nullptr, nullptr,
                        "Element 'Uwagi' (przestrzeń nazw 'http://example.invalid/x') nie jest w "
                        "tym miejscu dozwolony; oczekiwano jednego z: Operacje, Konfiguracja, "
                        "Towary, Dokument."},
        DescriptionCase{"NotExpected", "invalid_producer_before_name.xml", nullptr, nullptr,
                        "Element 'Producent' nie jest w tym miejscu dozwolony; oczekiwano: Nazwa."},
        DescriptionCase{"MissingChild", "invalid_no_model.xml", nullptr, nullptr,
                        "Element 'Modele': brakuje wymaganego elementu podrzędnego; oczekiwano: "
                        "Model."},
        DescriptionCase{"AttributeNotAllowed", "invalid_plu2_code_with_attribute.xml", nullptr,
                        nullptr, "Element 'KodPLU': atrybut 'min' nie jest tu dozwolony."},
        DescriptionCase{"PrefixedAttribute", "invalid_prefixed_attribute.xml", nullptr, nullptr,
                        "Element 'Sterowniki': atrybut 'wersja' (przestrzeń nazw "
                        "'http://www.pantrel.pl/UF/Sterowniki.xsd') nie jest tu dozwolony."},
        DescriptionCase{"MissingAttribute", "invalid_mapping_without_kind.xml", nullptr, nullptr,
                        "Element 'Mapowanie': brak wymaganego atrybutu 'rodzaj'."},
        DescriptionCase{"Enumeration", "invalid_typ_lower_case.xml", nullptr, nullptr,
                        "Element 'Sterownik', atrybut 'typ': wartość 'kasa fiskalna' nie należy do "
                        "dozwolonych: 'Kasa fiskalna', 'Drukarka fiskalna', 'Waga "
                        "etykietująca'."},
        DescriptionCase{"MinInclusive", "invalid_mapping_count_zero.xml", nullptr, nullptr,
                        "Element 'Mapowanie', atrybut 'liczbaPozycji': wartość '0' jest mniejsza "
                        "od najmniejszej dozwolonej (1)."},
        DescriptionCase{"MaxInclusive", "invalid_mapping_count_1001.xml", nullptr, nullptr,
                        "Element 'Mapowanie', atrybut 'liczbaPozycji': wartość '1001' jest "
                        "większa od największej dozwolonej (1000)."},
        DescriptionCase{"MaxLength", "invalid_model_name_51_chars.xml", nullptr, nullptr,
                        "Element 'Nazwa': wartość jest za długa: ma 51 znaków, a największa "
                        "dozwolona długość to 50."},
        DescriptionCase{"MinLength", "invalid_driver_producer_empty.xml", nullptr, nullptr,
                        "Element 'Producent': wartość jest za krótka: ma 0 znaków, a najmniejsza "
                        "dozwolona długość to 1."},
        DescriptionCase{"Pattern", "invalid_driver_producer_bar.xml", nullptr, nullptr,
                        "Element 'Producent': wartość 'Zakład|Łączności' nie pasuje do wzorca "
                        "'[^\\|]+'."},
        DescriptionCase{"TextInEmptyElement", "invalid_collection_with_text.xml", nullptr, nullptr,
                        "Element 'OdbiórSprzedaży' musi być pusty: nie może zawierać tekstu ani "
                        "elementów."},
        DescriptionCase{"ElementInText", "valid_minimal.xml", "<PlikExe>kasy.dll</PlikExe>",
                        "<PlikExe>kasy.dll</PlikExe><WWW><a/></WWW>",
                        "Element 'WWW' może zawierać tylko tekst, nie elementy."},
        DescriptionCase{"TextAmongElements", "valid_minimal.xml", "<Modele>", "<Modele>tekst",
                        "Element 'Modele' może zawierać tylko elementy, nie tekst."}));

// Codes the embedded schema cannot raise, described from the record alone.
xmlError Record(int domain, int code, const char* message) {
    xmlError error{};
    error.domain = domain;
    error.code = code;
    error.level = XML_ERR_ERROR;
    error.message = const_cast<char*>(message);
    return error;
}

TEST(ErrorDescriptionRecordTest, AttributeLengthNamesTheValue) {
    xmlError error = Record(XML_FROM_SCHEMASV, XML_SCHEMAV_CVC_LENGTH_VALID,
                            "Element '{urn:x}Kod', attribute 'wartosc': [facet 'length'] …");
    error.str1 = const_cast<char*>("abc");
    error.str2 = const_cast<char*>("3");
    error.str3 = const_cast<char*>("5");
    EXPECT_EQ(DescribeXmlError(error, "urn:x"),
              "Element 'Kod', atrybut 'wartosc': wartość 'abc' ma 3 znaki, a wymagana długość to "
              "5.");
}

TEST(ErrorDescriptionRecordTest, TotalDigits) {
    xmlError error = Record(XML_FROM_SCHEMASV, XML_SCHEMAV_CVC_TOTALDIGITS_VALID,
                            "Element '{urn:x}Kwota': [facet 'totalDigits'] …");
    error.str1 = const_cast<char*>("12345");
    error.str2 = const_cast<char*>("4");
    EXPECT_EQ(DescribeXmlError(error, "urn:x"),
              "Element 'Kwota': wartość '12345' ma więcej cyfr, niż dozwolone (4).");
}

TEST(ErrorDescriptionRecordTest, CodeWithoutASentenceStillCarriesItsDetails) {
    xmlError schema = Record(XML_FROM_SCHEMASV, XML_SCHEMAV_CVC_COMPLEX_TYPE_5_1,
                             "Element '{urn:x}Kod': something new.\n");
    schema.str1 = const_cast<char*>("a\nb");
    EXPECT_EQ(DescribeXmlError(schema, "urn:x"),
              "Element 'Kod': niezgodność ze schematem (błąd walidacji nr 1869, szczegóły: "
              "'a\\nb').");

    xmlError parser = Record(XML_FROM_PARSER, XML_ERR_CONDSEC_INVALID, "condsec\n");
    parser.int1 = 7;
    EXPECT_EQ(DescribeXmlError(parser, kNamespace),
              "Plik nie jest poprawnym dokumentem XML (błąd parsera nr 83, szczegóły: 7).");
}

TEST(ErrorDescriptionRecordTest, LongValuesAreCut) {
    const std::string value(200, 'x');
    xmlError error = Record(XML_FROM_SCHEMASV, XML_SCHEMAV_CVC_PATTERN_VALID,
                            "Element '{urn:x}Nazwa': [facet 'pattern'] …");
    error.str1 = const_cast<char*>(value.c_str());
    error.str2 = const_cast<char*>("a+");
    EXPECT_EQ(
        DescribeXmlError(error, "urn:x"),
        "Element 'Nazwa': wartość '" + std::string(80, 'x') + "…' nie pasuje do wzorca 'a+'.");
}

}  // namespace
}  // namespace pantrel
