// Polish descriptions of the schema validator's errors.
//
// The structured record carries the values (str1..str3: the value, the facet's limit, the
// lengths, a missing attribute's name) but, in the streaming validation the loader runs, no node:
// the element and attribute the error is about, the list of expected elements and the type a
// value failed are only in the English message. They are read from it, in the fixed forms
// libxml2 writes them: "Element '{ns}name': …", "Element '{ns}name', attribute 'name': …",
// "Expected is ( {ns}a )" / "Expected is one of ( {ns}a, {ns}b )", "… of the atomic type
// 'xs:unsignedInt'". When the record has a node (the closing validation of the tree), the names
// come from the node instead.

#include <libxml/tree.h>

#include <string>
#include <string_view>
#include <vector>

#include "loader/messages/description_text.h"
#include "loader/messages/xml_error_description.h"

namespace pantrel {
namespace {

struct Name {
    std::string local;
    std::string ns;  // the namespace URI; empty for none
};

struct Subject {
    Name element;
    Name attribute;
    bool hasAttribute = false;
    std::string_view rest;  // the English sentence after the subject
};

// "{ns}local" or "local".
Name SplitQName(std::string_view qname) {
    Name name;
    if (qname.starts_with('{')) {
        const std::size_t close = qname.find('}');
        if (close != std::string_view::npos) {
            name.ns = std::string(qname.substr(1, close - 1));
            qname.remove_prefix(close + 1);
        }
    }
    name.local = std::string(qname);
    return name;
}

// Reads "'<qname>'" at the front of `text`, moving past it.
bool TakeQuotedName(std::string_view& text, Name& name) {
    if (!text.starts_with('\'')) {
        return false;
    }
    std::size_t end = 1;
    if (text.size() > 1 && text[1] == '{') {
        end = text.find('}', 1);
        if (end == std::string_view::npos) {
            return false;
        }
    }
    end = text.find('\'', end);
    if (end == std::string_view::npos) {
        return false;
    }
    name = SplitQName(text.substr(1, end - 1));
    text.remove_prefix(end + 1);
    return true;
}

Subject ReadSubject(const xmlError& error) {
    Subject subject;
    std::string_view text = Field(error.message);
    constexpr std::string_view kElement = "Element ";
    constexpr std::string_view kAttribute = ", attribute ";
    if (text.starts_with(kElement)) {
        std::string_view rest = text.substr(kElement.size());
        if (TakeQuotedName(rest, subject.element)) {
            if (rest.starts_with(kAttribute)) {
                rest.remove_prefix(kAttribute.size());
                subject.hasAttribute = TakeQuotedName(rest, subject.attribute);
            }
            if (rest.starts_with(": ")) {
                rest.remove_prefix(2);
            }
            text = rest;
        }
    }
    subject.rest = text;
    const auto* const node = static_cast<const xmlNode*>(error.node);
    if (node != nullptr && (node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE)) {
        const xmlNode* element = node;
        if (node->type == XML_ATTRIBUTE_NODE) {
            subject.hasAttribute = true;
            subject.attribute = {reinterpret_cast<const char*>(node->name),
                                 node->ns != nullptr && node->ns->href != nullptr
                                     ? reinterpret_cast<const char*>(node->ns->href)
                                     : ""};
            element = node->parent;
        }
        if (element != nullptr && element->type == XML_ELEMENT_NODE) {
            subject.element = {reinterpret_cast<const char*>(element->name),
                               element->ns != nullptr && element->ns->href != nullptr
                                   ? reinterpret_cast<const char*>(element->ns->href)
                                   : ""};
        }
    }
    return subject;
}

class Describer {
public:
    Describer(const xmlError& error, std::string_view specificationNamespace)
        : error_(error), subject_(ReadSubject(error)), namespace_(specificationNamespace) {}

    std::string Describe() const;

private:
    // "'Nazwa'", with the namespace when it is not the specification's.
    std::string ElementName(const Name& name) const {
        std::string text = Quoted(name.local);
        if (name.ns.empty()) {
            text += " (bez przestrzeni nazw)";
        } else if (name.ns != namespace_) {
            text += " (przestrzeń nazw " + Quoted(name.ns) + ")";
        }
        return text;
    }

    std::string AttributeName(const Name& name) const {
        std::string text = Quoted(name.local);
        if (!name.ns.empty()) {
            text += " (przestrzeń nazw " + Quoted(name.ns) + ")";
        }
        return text;
    }

    // "Element 'Mapowanie', atrybut 'rodzaj'": who the error is about.
    std::string Who() const {
        if (subject_.element.local.empty()) {
            return "Dokument";
        }
        std::string text = "Element " + ElementName(subject_.element);
        if (subject_.hasAttribute) {
            text += ", atrybut " + AttributeName(subject_.attribute);
        }
        return text;
    }

    // The names out of "Expected is ( … )" / "Expected is one of ( … )".
    std::string Expected() const {
        const std::string_view rest = subject_.rest;
        const std::size_t open = rest.find("Expected is");
        const std::size_t from = open == std::string_view::npos ? open : rest.find('(', open);
        const std::size_t to = from == std::string_view::npos ? from : rest.rfind(')');
        if (to == std::string_view::npos || to <= from) {
            return {};
        }
        std::vector<std::string> names;
        std::string_view list = rest.substr(from + 1, to - from - 1);
        while (!list.empty()) {
            const std::size_t comma = list.find(", ");
            std::string_view item = list.substr(0, comma);
            while (item.starts_with(' ')) {
                item.remove_prefix(1);
            }
            while (item.ends_with(' ')) {
                item.remove_suffix(1);
            }
            if (item.starts_with("##other")) {
                names.emplace_back("element z innej przestrzeni nazw");
            } else if (!item.empty()) {
                const Name name = SplitQName(item);
                names.push_back(name.local == "*" ? "dowolny element" : name.local);
            }
            list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 2);
        }
        if (names.empty()) {
            return {};
        }
        std::string text = names.size() == 1 ? "; oczekiwano: " : "; oczekiwano jednego z: ";
        for (std::size_t i = 0; i < names.size(); ++i) {
            text += (i == 0 ? "" : ", ") + names[i];
        }
        return text;
    }

    // The type a value failed, from "… type 'xs:unsignedInt'." or "… local atomic type.".
    std::string TypeOfValue() const {
        const std::string_view rest = subject_.rest;
        const std::size_t type = rest.find("type '");
        if (type == std::string_view::npos) {
            return "typu określonego w schemacie dla tego miejsca";
        }
        const std::string_view quoted = rest.substr(type + 6);
        const std::string_view name = quoted.substr(0, quoted.find('\''));
        const std::string local = SplitQName(name).local;
        std::string text = "typu " + local;
        const std::string_view meaning = TypeMeaning(local);
        if (!meaning.empty()) {
            text.append(" (").append(meaning).append(")");
        }
        return text;
    }

    static std::string_view TypeMeaning(std::string_view type) {
        struct Meaning {
            std::string_view type;
            std::string_view text;
        };
        static constexpr Meaning kMeanings[] = {
            {"xs:unsignedInt", "liczba całkowita od 0 do 4294967295"},
            {"xs:unsignedLong", "liczba całkowita od 0 do 18446744073709551615"},
            {"xs:unsignedShort", "liczba całkowita od 0 do 65535"},
            {"xs:int", "liczba całkowita od -2147483648 do 2147483647"},
            {"xs:long", "liczba całkowita od -9223372036854775808 do 9223372036854775807"},
            {"xs:integer", "liczba całkowita"},
            {"xs:positiveInteger", "liczba całkowita większa od zera"},
            {"xs:nonNegativeInteger", "liczba całkowita nieujemna"},
            {"xs:boolean", "true, false, 1 albo 0"},
            {"xs:double", "liczba, np. 12.5 lub 1E3"},
            {"xs:float", "liczba, np. 12.5 lub 1E3"},
            {"xs:decimal", "liczba dziesiętna, np. 12.5"},
        };
        for (const Meaning& meaning : kMeanings) {
            if (meaning.type == type) {
                return meaning.text;
            }
        }
        return {};
    }

    // The value and the limit of a length facet: elements give (length, limit), attributes
    // (value, length, limit).
    std::string Length(std::string_view prefix, std::string_view limitText) const {
        const bool attribute = subject_.hasAttribute && error_.str3 != nullptr;
        const std::string_view length = Field(attribute ? error_.str2 : error_.str1);
        const std::string_view limit = Field(attribute ? error_.str3 : error_.str2);
        std::string text = Who();
        text.append(": wartość");
        if (attribute) {
            text.append(" ").append(Quoted(Field(error_.str1)));
        }
        if (!prefix.empty()) {
            text.append(" ").append(prefix);
        }
        text.append(" ma ").append(CharacterCount(length)).append(", a ").append(limitText);
        text.append(" ").append(limit).append(".");
        return text;
    }

    std::string ValueAnd(std::string_view predicate) const {
        return Who() + ": wartość " + Quoted(Field(error_.str1)) + " " + std::string(predicate);
    }

    std::string Generic() const {
        return Who() + ": niezgodność ze schematem (błąd walidacji nr " +
               std::to_string(error_.code) +
               Details(error_.str1, error_.str2, error_.str3, error_.int1) + ").";
    }

    const xmlError& error_;
    Subject subject_;
    std::string_view namespace_;
};

std::string Describer::Describe() const {
    const std::string limit = Quoted(Field(error_.str2));
    switch (error_.code) {
        case XML_SCHEMAV_CVC_DATATYPE_VALID_1_2_1:
        case XML_SCHEMAV_CVC_DATATYPE_VALID_1_2_2:
        case XML_SCHEMAV_CVC_DATATYPE_VALID_1_2_3:
            if (subject_.rest.find("QName value") != std::string_view::npos) {
                return ValueAnd("nie jest nazwą z zadeklarowanym prefiksem przestrzeni nazw.");
            }
            return ValueAnd("nie jest poprawną wartością " + TypeOfValue() + ".");
        case XML_SCHEMAV_CVC_ENUMERATION_VALID:
            return ValueAnd("nie należy do dozwolonych: " + std::string(Field(error_.str2)) + ".");
        case XML_SCHEMAV_CVC_PATTERN_VALID:
            return ValueAnd("nie pasuje do wzorca " + limit + ".");
        case XML_SCHEMAV_CVC_MININCLUSIVE_VALID:
            return ValueAnd("jest mniejsza od najmniejszej dozwolonej (" +
                            std::string(Field(error_.str2)) + ").");
        case XML_SCHEMAV_CVC_MAXINCLUSIVE_VALID:
            return ValueAnd("jest większa od największej dozwolonej (" +
                            std::string(Field(error_.str2)) + ").");
        case XML_SCHEMAV_CVC_MINEXCLUSIVE_VALID:
            return ValueAnd("musi być większa od " + std::string(Field(error_.str2)) + ".");
        case XML_SCHEMAV_CVC_MAXEXCLUSIVE_VALID:
            return ValueAnd("musi być mniejsza od " + std::string(Field(error_.str2)) + ".");
        case XML_SCHEMAV_CVC_TOTALDIGITS_VALID:
            return ValueAnd("ma więcej cyfr, niż dozwolone (" + std::string(Field(error_.str2)) +
                            ").");
        case XML_SCHEMAV_CVC_FRACTIONDIGITS_VALID:
            return ValueAnd("ma więcej cyfr po przecinku, niż dozwolone (" +
                            std::string(Field(error_.str2)) + ").");
        case XML_SCHEMAV_CVC_LENGTH_VALID:
            return Length("", "wymagana długość to");
        case XML_SCHEMAV_CVC_MINLENGTH_VALID:
            return Length("jest za krótka:", "najmniejsza dozwolona długość to");
        case XML_SCHEMAV_CVC_MAXLENGTH_VALID:
            return Length("jest za długa:", "największa dozwolona długość to");
        case XML_SCHEMAV_CVC_FACET_VALID:
            return ValueAnd("nie spełnia ograniczenia typu.");
        case XML_SCHEMAV_ELEMENT_CONTENT:
        case XML_SCHEMAV_CVC_COMPLEX_TYPE_2_4:
            // One code for both faults; only the message tells them apart.
            if (subject_.rest.starts_with("Missing child")) {
                return Who() + ": brakuje wymaganego elementu podrzędnego" + Expected() + ".";
            }
            return Who() + " nie jest w tym miejscu dozwolony" + Expected() + ".";
        case XML_SCHEMAV_CVC_ELT_1:
            if (subject_.rest.find("validation root") == std::string_view::npos) {
                return Who() + " nie jest zadeklarowany w schemacie.";
            }
            if (subject_.element.ns == namespace_) {
                return Who() + " nie może być elementem głównym pliku: schemat go nie deklaruje.";
            }
            return Who() +
                   " nie jest zadeklarowany w schemacie jako element główny; elementy pliku "
                   "muszą należeć do przestrzeni nazw " +
                   Quoted(namespace_) + ".";
        case XML_SCHEMAV_CVC_TYPE_3_1_1:
        case XML_SCHEMAV_CVC_COMPLEX_TYPE_3_2_1:
        case XML_SCHEMAV_CVC_COMPLEX_TYPE_3_2_2:
        case XML_SCHEMAV_CVC_WILDCARD:
            return "Element " + ElementName(subject_.element) + ": atrybut " +
                   AttributeName(subject_.attribute) + " nie jest tu dozwolony.";
        case XML_SCHEMAV_CVC_COMPLEX_TYPE_4:
            return "Element " + ElementName(subject_.element) + ": brak wymaganego atrybutu " +
                   Quoted(SplitQName(Field(error_.str1)).local) + ".";
        case XML_SCHEMAV_CVC_COMPLEX_TYPE_2_1:
            return Who() + " musi być pusty: nie może zawierać tekstu ani elementów.";
        case XML_SCHEMAV_CVC_COMPLEX_TYPE_2_2:
        case XML_SCHEMAV_CVC_TYPE_3_1_2:
            return Who() + " może zawierać tylko tekst, nie elementy.";
        case XML_SCHEMAV_CVC_COMPLEX_TYPE_2_3:
            return Who() + " może zawierać tylko elementy, nie tekst.";
        case XML_SCHEMAV_CVC_ELT_2:
            return Who() + " jest abstrakcyjny i nie może wystąpić w pliku.";
        case XML_SCHEMAV_CVC_TYPE_1:
        case XML_SCHEMAV_CVC_ATTRIBUTE_2:
            return Who() + ": schemat nie określa typu tej pozycji.";
        case XML_SCHEMAV_CVC_TYPE_2:
            return Who() + " ma typ abstrakcyjny.";
        case XML_SCHEMAV_CVC_ELT_3_1:
            return Who() + " nie może mieć atrybutu xsi:nil.";
        case XML_SCHEMAV_CVC_ELT_3_2_1:
            return Who() + " oznaczony xsi:nil musi być pusty.";
        case XML_SCHEMAV_CVC_ELT_3_2_2:
            return Who() + " ma wartość stałą i nie może być oznaczony xsi:nil.";
        case XML_SCHEMAV_CVC_ELT_4_1:
        case XML_SCHEMAV_CVC_ELT_4_2:
        case XML_SCHEMAV_CVC_ELT_4_3:
            return Who() + ": typ " + Quoted(Field(error_.str1)) +
                   " wskazany atrybutem xsi:type nie może być tu użyty.";
        case XML_SCHEMAV_CVC_ELT_5_2_2_1:
            return Who() + " ma wartość stałą i nie może zawierać elementów.";
        case XML_SCHEMAV_CVC_ELT_5_2_2_2_1:
        case XML_SCHEMAV_CVC_ELT_5_2_2_2_2:
        case XML_SCHEMAV_CVC_AU:
            return ValueAnd("różni się od wartości stałej " + limit + ".");
        case XML_SCHEMAV_CVC_ATTRIBUTE_1:
        case XML_SCHEMAV_CVC_ATTRIBUTE_3:
        case XML_SCHEMAV_CVC_ATTRIBUTE_4:
            return ValueAnd("nie jest poprawna dla tego atrybutu.");
        case XML_SCHEMAV_CVC_IDC:
            return Who() + ": naruszona reguła niepowtarzalności albo odwołania klucza" +
                   Details(error_.str1, error_.str2, error_.str3, 0) + ".";
        case XML_SCHEMAV_DOCUMENT_ELEMENT_MISSING:
            return "Dokument nie ma elementu głównego.";
        default:
            return Generic();
    }
}

}  // namespace

std::string DescribeSchemaError(const xmlError& error, std::string_view specificationNamespace) {
    return Describer(error, specificationNamespace).Describe();
}

}  // namespace pantrel
