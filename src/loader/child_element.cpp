#include "loader/child_element.h"

#include <algorithm>

#include "loader/libxml_handles.h"

namespace pantrel {
namespace {

constexpr std::string_view kStepPrefix = "Zelvar:";

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsPlainNameCharacter(char c) {
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_';
}

bool Equals(const xmlChar* text, std::string_view expected) {
    return text != nullptr && std::string_view(AsChars(text)) == expected;
}

}  // namespace

std::string_view SingleChildStepName(std::string_view query) {
    if (!query.starts_with(kStepPrefix)) {
        return {};
    }
    const std::string_view name = query.substr(kStepPrefix.size());
    if (name.empty() || !IsAsciiLetter(name.front()) ||
        !std::ranges::all_of(name, IsPlainNameCharacter)) {
        return {};
    }
    return name;
}

bool HasChildElements(const xmlNode& node) {
    return node.type == XML_ELEMENT_NODE || node.type == XML_DOCUMENT_NODE;
}

xmlNode* FirstChildElement(const xmlNode& parent, std::string_view name,
                           std::string_view namespaceUri) {
    for (xmlNode* child = parent.children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && child->ns != nullptr && Equals(child->name, name) &&
            Equals(child->ns->href, namespaceUri)) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace pantrel
