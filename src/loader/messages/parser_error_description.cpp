// Polish descriptions of the parser's well-formedness and encoding errors.
//
// The record carries the names and numbers (str1..str3, int1); its English message is read only
// where one code stands for several faults that the fields do not tell apart: the missing name
// after "&" or "<" (XML_ERR_NAME_REQUIRED), nesting too deep (XML_ERR_INTERNAL_ERROR), an empty
// namespace bound to a prefix (XML_NS_ERR_XML_NAMESPACE) and the bytes of an encoding error
// (XML_ERR_INVALID_CHAR, where the bytes come as "Bytes: 0x…").

#include <string>
#include <string_view>

#include "loader/messages/description_text.h"
#include "loader/messages/xml_error_description.h"

namespace pantrel {
namespace {

std::string WithoutLineEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

// "0xFF 0x01 0x20 0x32" out of libxml2's "Bytes: 0xFF 0x01 0x20 0x32\n".
std::string Bytes(std::string_view text) {
    constexpr std::string_view kLabel = "Bytes:";
    const std::size_t at = text.find(kLabel);
    if (at != std::string_view::npos) {
        text.remove_prefix(at + kLabel.size());
    }
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    return WithoutLineEnd(text);
}

std::string CodePoint(int value) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned int rest = static_cast<unsigned int>(value); rest != 0 || hex.size() < 4;
         rest >>= 4) {
        hex.insert(hex.begin(), kDigits[rest & 0xF]);
    }
    return "U+" + hex;
}

std::string InvalidCharacter(const xmlError& error) {
    const std::string_view bytes = Field(error.str1);
    if (bytes.find("Bytes:") != std::string_view::npos) {
        return "Bajty " + Bytes(bytes) +
               " nie są poprawnym tekstem UTF-8; plik w innym kodowaniu musi je podać w "
               "deklaracji XML (np. encoding=\"windows-1250\").";
    }
    if (error.int1 > 0) {
        return "Znak " + CodePoint(error.int1) + " nie jest dozwolony w dokumencie XML.";
    }
    return "Plik zawiera znak niedozwolony w dokumencie XML.";
}

std::string NameRequired(const xmlError& error) {
    const std::string_view message = Field(error.message);
    if (message.find("EntityRef") != std::string_view::npos) {
        return "Po znaku '&' brakuje nazwy encji; sam znak '&' zapisuje się w tekście jako "
               "'&amp;'.";
    }
    if (message.find("element name") != std::string_view::npos) {
        return "Po znaku '<' brakuje poprawnej nazwy elementu; sam znak '<' zapisuje się w "
               "tekście jako '&lt;'.";
    }
    if (message.find("attribute name") != std::string_view::npos) {
        return "W znaczniku brakuje poprawnej nazwy atrybutu.";
    }
    return "W tym miejscu brakuje poprawnej nazwy.";
}

std::string Generic(const xmlError& error) {
    return "Plik nie jest poprawnym dokumentem XML (błąd parsera nr " + std::to_string(error.code) +
           Details(error.str1, error.str2, error.str3, error.int1) + ").";
}

std::string Line(int line) {
    return line > 0 ? " otwartego w linii " + std::to_string(line) : std::string();
}

}  // namespace

std::string DescribeParserError(const xmlError& error) {
    const std::string s1 = Quoted(Field(error.str1));
    const std::string s2 = Quoted(Field(error.str2));
    switch (error.code) {
        case XML_ERR_INTERNAL_ERROR:
            if (Field(error.message).find("depth") != std::string_view::npos) {
                return "Elementy są zagnieżdżone zbyt głęboko (więcej niż " +
                       std::to_string(error.int1) + " poziomów).";
            }
            return Generic(error);
        case XML_ERR_NO_MEMORY:
            return "Zabrakło pamięci podczas czytania pliku.";
        case XML_ERR_DOCUMENT_START:
        case XML_ERR_DOCUMENT_EMPTY:
            return "Plik nie zawiera elementu głównego (jest pusty albo nie zaczyna się od "
                   "znacznika '<').";
        case XML_ERR_DOCUMENT_END:
        case XML_ERR_EXTRA_CONTENT:
            return "Po zamknięciu elementu głównego plik zawiera dalszą treść.";
        case XML_ERR_INVALID_HEX_CHARREF:
        case XML_ERR_INVALID_DEC_CHARREF:
        case XML_ERR_INVALID_CHARREF:
            return "Odwołanie do znaku (&#…;) wskazuje znak niedozwolony w dokumencie XML albo "
                   "jest zapisane niepoprawnie.";
        case XML_ERR_INVALID_CHAR:
        case XML_ERR_INVALID_ENCODING:
            return InvalidCharacter(error);
        case XML_ERR_ENTITYREF_SEMICOL_MISSING:
            return "Odwołanie do encji musi kończyć się średnikiem ';'.";
        case XML_ERR_UNDECLARED_ENTITY:
        case XML_WAR_UNDECLARED_ENTITY:
            return "Encja '&" + std::string(Field(error.str1)) + ";' nie jest zadeklarowana.";
        case XML_ERR_UNPARSED_ENTITY:
        case XML_ERR_ENTITY_IS_EXTERNAL:
        case XML_ERR_ENTITY_IS_PARAMETER:
            return "Encji " + s1 + " nie można użyć w tym miejscu.";
        case XML_ERR_UNKNOWN_ENCODING:
        case XML_ERR_UNSUPPORTED_ENCODING:
            return "Kodowanie " + s1 + " podane w deklaracji XML nie jest obsługiwane.";
        case XML_ERR_LT_IN_ATTRIBUTE:
            return "Znak '<' w wartości atrybutu trzeba zapisać jako '&lt;'.";
        case XML_ERR_ATTRIBUTE_NOT_STARTED:
            return "Wartość atrybutu musi być ujęta w cudzysłów albo apostrofy.";
        case XML_ERR_ATTRIBUTE_NOT_FINISHED:
            return "Wartość atrybutu nie jest zamknięta cudzysłowem albo apostrofem.";
        case XML_ERR_ATTRIBUTE_WITHOUT_VALUE:
            return "Atrybut " + s1 + " nie ma wartości.";
        case XML_ERR_ATTRIBUTE_REDEFINED:
            return "Atrybut " + s1 + " występuje w tym elemencie więcej niż raz.";
        case XML_NS_ERR_ATTRIBUTE_REDEFINED:
            return "Atrybut " + s1 + " z przestrzeni nazw " + s2 +
                   " występuje w tym elemencie więcej niż raz.";
        case XML_ERR_COMMENT_NOT_FINISHED:
            return "Komentarz nie jest zamknięty znakami '-->'.";
        case XML_ERR_HYPHEN_IN_COMMENT:
            return "Komentarz nie może zawierać dwóch łączników '--'.";
        case XML_ERR_PI_NOT_STARTED:
        case XML_ERR_PI_NOT_FINISHED:
            return "Instrukcja przetwarzania (<?…?>) jest zapisana niepoprawnie.";
        case XML_ERR_XMLDECL_NOT_STARTED:
        case XML_ERR_XMLDECL_NOT_FINISHED:
        case XML_ERR_VERSION_MISSING:
        case XML_ERR_STRING_NOT_STARTED:
        case XML_ERR_STRING_NOT_CLOSED:
            return "Deklaracja XML (<?xml …?>) jest zapisana niepoprawnie.";
        case XML_ERR_UNKNOWN_VERSION:
        case XML_ERR_VERSION_MISMATCH:
            return "Nieobsługiwana wersja XML " + s1 + " w deklaracji XML.";
        case XML_ERR_RESERVED_XML_NAME:
            return "Deklaracja XML może stać tylko na samym początku pliku.";
        case XML_ERR_DOCTYPE_NOT_FINISHED:
        case XML_ERR_EXT_SUBSET_NOT_FINISHED:
            return "Deklaracja typu dokumentu (<!DOCTYPE …>) nie jest zamknięta.";
        case XML_ERR_MISPLACED_CDATA_END:
            return "Ciąg ']]>' nie jest dozwolony w tekście.";
        case XML_ERR_CDATA_NOT_FINISHED:
            return "Sekcja CDATA nie jest zamknięta znakami ']]>'.";
        case XML_ERR_SPACE_REQUIRED:
            return "Brakuje odstępu (np. między atrybutami albo po nazwie elementu).";
        case XML_ERR_NAME_REQUIRED:
            return NameRequired(error);
        case XML_ERR_GT_REQUIRED:
            return error.str1 != nullptr ? "Znacznik początkowy elementu " + s1 + Line(error.int1) +
                                               " nie jest zamknięty znakiem '>'."
                                         : "Znacznik nie jest zamknięty znakiem '>'.";
        case XML_ERR_LTSLASH_REQUIRED:
            return "Brakuje znacznika zamykającego '</…>'.";
        case XML_ERR_EQUAL_REQUIRED:
            return "Po nazwie atrybutu brakuje znaku '='.";
        case XML_ERR_TAG_NAME_MISMATCH:
            return "Znacznik zamykający '</" + std::string(Field(error.str2)) +
                   ">' nie pasuje do elementu " + s1 + Line(error.int1) + ".";
        case XML_ERR_TAG_NOT_FINISHED:
            return "Plik kończy się przed zamknięciem elementu " + s1 + Line(error.int1) + ".";
        case XML_ERR_NOT_WELL_BALANCED:
        case XML_ERR_ENTITY_BOUNDARY:
            return "Treść encji nie tworzy zamkniętej całości (znaczniki otwarte w encji muszą "
                   "się w niej zamykać).";
        case XML_ERR_ENTITY_LOOP:
            return "Wykryto pętlę odwołań do encji albo nadmierne rozwijanie encji.";
        case XML_ERR_NAME_TOO_LONG:
            return "Nazwa w pliku jest za długa.";
        case XML_NS_ERR_XML_NAMESPACE:
            // One code for the empty namespace of a prefix and for misuse of xml and xmlns.
            if (Field(error.message).find("Empty XML namespace") != std::string_view::npos) {
                return "Prefiks przestrzeni nazw " + s1 +
                       " nie może być związany z pustym adresem.";
            }
            return "Niepoprawne użycie zastrzeżonego prefiksu 'xml' albo 'xmlns' albo ich "
                   "przestrzeni nazw.";
        case XML_NS_ERR_UNDEFINED_NAMESPACE:
            return "Prefiks przestrzeni nazw " + s1 + " (w nazwie " +
                   Quoted(std::string(Field(error.str1)) + ":" + std::string(Field(error.str2))) +
                   ") nie jest zadeklarowany.";
        case XML_NS_ERR_QNAME:
        case XML_NS_ERR_COLON:
            return "Niepoprawna nazwa z prefiksem przestrzeni nazw" +
                   (error.str1 != nullptr ? " " + s1 : std::string()) + ".";
        case XML_NS_ERR_EMPTY:
            return "Prefiks przestrzeni nazw nie może być związany z pustym adresem.";
        case XML_I18N_CONV_FAILED:
            return "Bajtów " + Bytes(Field(error.str1)) +
                   " nie można odczytać w kodowaniu podanym w deklaracji XML.";
        case XML_I18N_NO_HANDLER:
            return "Kodowanie pliku nie jest obsługiwane.";
        default:
            return Generic(error);
    }
}

}  // namespace pantrel
